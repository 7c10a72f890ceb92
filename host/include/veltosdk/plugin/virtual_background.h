// Records of the virtual-background plug-in ("nordil_media_preprcess", "plugins:virtualbackground"):
// a background file checked by its MD5, and the parameters of copying one into the client's
// background list.
//
//   veltosdk::plugin::VirtualBackgroundServicePlugin::CopyParams params;
//   params.path = "/home/u/beach.png";
//   params.md5 = veltosdk::plugin::kVideoVirtualEmptyString;   // not known yet
//
// Text fields have no "absent" state of their own: the marker kVideoVirtualEmptyString stands
// for a field that was never given, as distinct from the empty text.
#pragma once

#include <cstdint>
#include <string>

namespace veltosdk::plugin {

inline constexpr char kVideoVirtualEmptyString[] = "VIDEO_VIRTUAL_EMPTY_STRING_FLAG";

class VirtualBackgroundServicePlugin {
 public:
  struct CopyParams {
    bool is_selected = false;
    int64_t begin_time = 0;
    int64_t end_time = 0;
    std::string work_name = kVideoVirtualEmptyString;
    std::string path = kVideoVirtualEmptyString;
    std::string text = kVideoVirtualEmptyString;
    int32_t index = 0;
    bool is_new = false;
    std::string md5 = kVideoVirtualEmptyString;
    std::string theme = kVideoVirtualEmptyString;
    std::string from = kVideoVirtualEmptyString;
    bool local = false;
    std::string self_uid = kVideoVirtualEmptyString;

    bool operator==(const CopyParams&) const = default;
  };

  struct Md5Data {
    std::string vbk_path = kVideoVirtualEmptyString;
    int32_t vbk_type = 0;
    bool is_retry = false;
    int32_t need_update_list_size = 0;
    bool has_new_file_params = false;
    int32_t index = 0;
    int32_t origin_width = 0;
    int32_t origin_height = 0;
    bool is_succ = false;
    std::string obj_path = kVideoVirtualEmptyString;
    CopyParams copy_params;

    bool operator==(const Md5Data&) const = default;
  };

  virtual ~VirtualBackgroundServicePlugin() = default;
};

}  // namespace veltosdk::plugin
