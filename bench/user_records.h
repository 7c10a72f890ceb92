// Deterministic user records shaped like the user model's: about forty keys per record (flags,
// identifiers, URLs, a nested media state, a tag list), a third of the nicknames in Chinese.
//
//   std::string doc = bench::MakeUserRecordsJson(10000);   // {"total":10000,"users":[...]}, ~10 MB
//   std::string one = bench::MakeUserRecordJson(7);         // a single record
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// The record's keys in the order the generator writes them.
inline const std::vector<std::string>& UserRecordKeys() {
  static const std::vector<std::string> keys = {
      "user_index", "user_id", "nick_name", "avatar_url", "app_id", "role", "is_host", "is_co_host",
      "self", "audio_on", "video_on", "screen", "hands_up", "robot_user_type", "device_type",
      "terminal_type", "join_time", "network_quality", "audio_connect_type", "share_audio_on",
      "has_video_in_device", "up_web_share_on", "stream_id", "screen_stream_id", "corp_id",
      "corp_name", "department", "phone_number_masked", "email", "language", "instance_id",
      "webinar_role", "is_waiting", "rename_pending", "multi_device_count",
      "current_device_media_state", "tags", "volume", "last_speak_time", "client_version"};
  return keys;
}

namespace internal {

// A small linear congruential generator: the same records on every machine and run.
class Lcg {
 public:
  explicit Lcg(uint64_t seed) : state_(seed * 6364136223846793005ull + 1442695040888963407ull) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state_ >> 33);
  }
  uint32_t Below(uint32_t n) { return Next() % n; }
  bool Chance(double p) { return Next() < p * 2147483648.0; }  // Next() is 31 bits

 private:
  uint64_t state_;
};

inline void AppendKey(std::string& out, std::string_view key, bool first = false) {
  if (!first) out += ',';
  out += '"';
  out += key;
  out += "\":";
}

inline void AppendString(std::string& out, std::string_view key, std::string_view value) {
  AppendKey(out, key);
  out += '"';
  out += value;
  out += '"';
}

inline void AppendNumber(std::string& out, std::string_view key, uint64_t value) {
  AppendKey(out, key);
  out += std::to_string(value);
}

inline void AppendBool(std::string& out, std::string_view key, bool value) {
  AppendKey(out, key);
  out += value ? "true" : "false";
}

inline std::string Hex(Lcg& rng, size_t digits) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string s(digits, '0');
  for (char& c : s) c = kHex[rng.Below(16)];
  return s;
}

}  // namespace internal

inline std::string MakeUserRecordJson(size_t index) {
  using namespace internal;
  static constexpr const char* kChineseNames[] = {"张伟", "王芳", "李娜 (会议室)", "刘洋", "陈静",
                                                  "杨磊", "赵敏", "黄晓明", "周杰", "吴雨桐"};
  static constexpr const char* kLatinNames[] = {"Alice Martin", "Bob", "Carla Gómez", "Dmitri",
                                                "Emma Johnson", "Farid", "Grace Lee", "Hiro Tanaka"};
  static constexpr const char* kDepartments[] = {"研发中心/音视频组", "Sales EMEA", "市场部", "IT Operations"};
  Lcg rng(index + 1);
  std::string out;
  out.reserve(1200);
  out += '{';
  AppendKey(out, "user_index", true);
  out += std::to_string(1000000 + index);
  AppendString(out, "user_id", "u_" + Hex(rng, 24));
  std::string nick = index % 3 == 0 ? kChineseNames[rng.Below(10)] : kLatinNames[rng.Below(8)];
  nick += ' ';
  nick += std::to_string(index);
  AppendString(out, "nick_name", nick);
  AppendString(out, "avatar_url", "https://avatar.velto.example/v2/images/" + Hex(rng, 32) + "/large.png?size=128");
  AppendString(out, "app_id", "app_" + std::to_string(rng.Below(100000)));
  AppendNumber(out, "role", rng.Below(4));
  AppendBool(out, "is_host", index == 0);
  AppendBool(out, "is_co_host", rng.Below(20) == 0);
  AppendBool(out, "self", index == 1);
  AppendBool(out, "audio_on", rng.Below(2));
  AppendBool(out, "video_on", rng.Below(3) == 0);
  AppendBool(out, "screen", rng.Below(50) == 0);
  AppendBool(out, "hands_up", rng.Below(10) == 0);
  AppendNumber(out, "robot_user_type", rng.Below(30) == 0 ? 3 : 0);
  AppendNumber(out, "device_type", rng.Below(8));
  AppendNumber(out, "terminal_type", rng.Below(12));
  AppendNumber(out, "join_time", 1700000000000ull + rng.Below(3600000));
  AppendNumber(out, "network_quality", rng.Below(5));
  AppendNumber(out, "audio_connect_type", rng.Below(3));
  AppendBool(out, "share_audio_on", false);
  AppendBool(out, "has_video_in_device", rng.Below(4) != 0);
  AppendBool(out, "up_web_share_on", false);
  AppendString(out, "stream_id", "v_" + Hex(rng, 16) + "_main");
  AppendString(out, "screen_stream_id", "s_" + Hex(rng, 16) + "_share");
  AppendString(out, "corp_id", "corp_" + std::to_string(rng.Below(500)));
  AppendString(out, "corp_name", rng.Below(2) ? "维拓科技有限公司" : "Velto Example Holdings Ltd.");
  AppendString(out, "department", kDepartments[rng.Below(4)]);
  AppendString(out, "phone_number_masked", "+86 1" + std::to_string(30 + rng.Below(60)) + "****" +
                                               std::to_string(1000 + rng.Below(9000)));
  AppendString(out, "email", "user" + std::to_string(index) + "@mail.velto.example");
  AppendString(out, "language", index % 3 == 0 ? "zh-cn" : "en-us");
  AppendString(out, "instance_id", Hex(rng, 8) + "-" + Hex(rng, 4) + "-" + Hex(rng, 4) + "-" + Hex(rng, 12));
  AppendNumber(out, "webinar_role", rng.Below(3));
  AppendBool(out, "is_waiting", rng.Below(40) == 0);
  AppendBool(out, "rename_pending", false);
  AppendNumber(out, "multi_device_count", 1 + rng.Below(3));
  AppendKey(out, "current_device_media_state");
  out += "{\"audio\":";
  out += rng.Below(2) ? "true" : "false";
  out += ",\"video\":";
  out += rng.Below(2) ? "true" : "false";
  out += ",\"audio_device_connect\":true,\"volume_level\":";
  out += std::to_string(rng.Below(101));
  out += '}';
  AppendKey(out, "tags");
  out += "[\"external\",\"" + std::string(rng.Below(2) ? "speaker" : "attendee") + "\",\"tag_" +
         std::to_string(rng.Below(1000)) + "\"]";
  AppendKey(out, "volume");
  char volume[32];
  std::snprintf(volume, sizeof volume, "%.6f", rng.Below(1000000) / 1000000.0);
  out += volume;
  AppendNumber(out, "last_speak_time", 1700000000000ull + rng.Below(3600000));
  AppendString(out, "client_version", "3." + std::to_string(rng.Below(30)) + "." + std::to_string(rng.Below(100)) +
                                          ".2025" + std::to_string(1000 + rng.Below(9000)));
  out += '}';
  return out;
}

inline std::string MakeUserRecordsJson(size_t count) {
  std::string out = "{\"total\":" + std::to_string(count) + ",\"users\":[";
  out.reserve(count * 1050 + 64);
  for (size_t i = 0; i < count; ++i) {
    if (i) out += ',';
    out += MakeUserRecordJson(i);
  }
  out += "]}";
  return out;
}

}  // namespace bench
