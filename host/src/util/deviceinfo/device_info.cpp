#include "util/deviceinfo/device_info.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <sstream>

#include <openssl/evp.h>

#include "platform_state.h"
#include "util/deviceinfo/device_facts.h"

namespace util::deviceinfo {
namespace {

std::string Trim(std::string text) {
  const char* blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::string ReadFirstLine(const char* path) {
  std::ifstream in(path);
  std::string line;
  if (in) std::getline(in, line);
  return Trim(line);
}

std::string Sha256Hex32(const std::string& text) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int length = 0;
  if (EVP_Digest(text.data(), text.size(), digest.data(), &length, EVP_sha256(), nullptr) != 1) return {};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned int i = 0; i < length && out.size() < 32; ++i) {
    out.push_back(kHex[digest[i] >> 4]);
    out.push_back(kHex[digest[i] & 0x0f]);
  }
  return out;
}

DeviceFacts ReadMachine() {
  DeviceFacts facts;
  struct utsname names {};
  if (uname(&names) == 0) {
    facts.os_name = names.sysname;
    facts.os_version = names.release;
    facts.device_model = names.machine;
  }
  std::string machine_id = ReadFirstLine("/etc/machine-id");
  if (machine_id.empty()) machine_id = ReadFirstLine("/var/lib/dbus/machine-id");
  if (machine_id.empty()) {
    std::array<char, 256> host{};
    if (gethostname(host.data(), host.size() - 1) == 0) machine_id = host.data();
  }
  // Salted so that the id means nothing outside this product.
  facts.unique_device_id = Sha256Hex32("velto-device:" + machine_id);
  const std::string product = ReadFirstLine("/sys/class/dmi/id/product_name");
  if (!product.empty()) facts.device_model = product;
  return facts;
}

const DeviceFacts& Machine() {
  static const DeviceFacts facts = ReadMachine();
  return facts;
}

}  // namespace

std::string GetOSName() {
  if (const auto& o = host_internal::platform::DeviceOverride()) return o->os_name;
  return Machine().os_name;
}

std::string GetOSVersion() {
  if (const auto& o = host_internal::platform::DeviceOverride()) return o->os_version;
  return Machine().os_version;
}

std::string GetUniqueDeviceId() {
  if (const auto& o = host_internal::platform::DeviceOverride()) return o->unique_device_id;
  return Machine().unique_device_id;
}

std::string GetDeviceModel() {
  if (const auto& o = host_internal::platform::DeviceOverride()) return o->device_model;
  return Machine().device_model;
}

}  // namespace util::deviceinfo
