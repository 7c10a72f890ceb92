// framework::LoadingRecord: one loading indicator a view model showed (UIViewModel::ShowLoading),
// as the stand-in keeps it; `disposed` turns true when the owner takes it down.
//
//   const framework::LoadingRecord& loading = ...;
//   bool still_spinning = loading.owner == &view_model && !loading.disposed;
#pragma once

#include <cstdint>
#include <string>

namespace framework {

class UIViewModel;

struct LoadingRecord {
  int64_t id = 0;
  const UIViewModel* owner = nullptr;
  std::string text;
  bool disposed = false;
};

}  // namespace framework
