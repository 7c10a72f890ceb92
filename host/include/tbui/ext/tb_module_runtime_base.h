// tbui::ext::TBModuleRuntimeBase: the UI toolkit's per-library runtime. A library derives from
// it to say where its assets (layouts, images) live.
#pragma once

#include <string>

namespace tbui::ext {

class TBModuleRuntimeBase {
 public:
  virtual ~TBModuleRuntimeBase() = default;
  // Called by the toolkit before the first asset is loaded; the default uses the current
  // directory.
  virtual void InitAssets(bool flag) { SetAssetDirectory(".", flag); }
  const std::string& asset_directory() const { return asset_directory_; }
  bool asset_flag() const { return asset_flag_; }

 protected:
  void SetAssetDirectory(const std::string& dir, bool flag) {
    asset_directory_ = dir;
    asset_flag_ = flag;
  }

 private:
  std::string asset_directory_;
  bool asset_flag_ = false;
};

}  // namespace tbui::ext
