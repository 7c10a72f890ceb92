#include "module_api/vtracker/vtracker_config.h"

#include <utility>
#include <vector>

#include "module_api/log.h"
#include "module_api/vtracker/vtracker.h"
#include "vtracker/analytics/vtracker_log.h"

namespace vtracker {
namespace {

using base::json::JsonValue;

// The page hashes of an element, or false (logged) when they are missing, empty or not all text.
bool ReadElementPageHashes(const JsonValue& element, std::vector<std::string>* hashes) {
  const JsonValue list = element["element_page_hash"];
  if (!list.IsArray()) {
    VELTO_LOG(velto::log::kRejected) << kLogPrefix << "json data invalidate with element_page_hash";
    return false;
  }
  if (list.size() == 0) {
    VELTO_LOG(velto::log::kRejected) << kLogPrefix << "json data invalidate with element_page_hash empty";
    return false;
  }
  for (size_t i = 0; i < list.size(); ++i) {
    if (!list[i].IsString()) {
      VELTO_LOG(velto::log::kRejected) << kLogPrefix << "json data invalidate with element_page_hash item " << i;
      return false;
    }
    hashes->push_back(list[i].AsString());
  }
  return true;
}

void AddElement(const JsonValue& element, const std::string& page_hash, VTrackerConfigMap* map) {
  if (!element.IsObject()) {
    VELTO_LOG(velto::log::kRejected) << kLogPrefix << "json data invalidate with element";
    return;
  }
  std::vector<std::string> page_hashes;
  if (!ReadElementPageHashes(element, &page_hashes)) return;
  for (const char* key : {"begin_version", "event_code"}) {
    if (!element[key].IsString()) {
      VELTO_LOG(velto::log::kRejected) << kLogPrefix << "json data invalidate with " << key;
      return;
    }
  }
  VTrackerConfigItem item;
  item.begin_version = element["begin_version"].AsString();
  item.event_code = element["event_code"].AsString();
  item.page_hash = page_hash;
  item.element_hash = element["element_hash"].AsString();
  for (const std::string& element_page : page_hashes) {
    std::string key = MakeVTrackerMapKey(element_page, item.element_hash);
    VELTO_LOG(velto::log::kTrace) << kLogPrefix << "add config:begin_version=" << item.begin_version
                                  << " event_code=" << item.event_code << " map_key=" << key
                                  << " page_hash=" << item.page_hash << " ele_hash=" << item.element_hash;
    map->insert_or_assign(std::move(key), item);
  }
}

}  // namespace

bool CreateConfigMap(const JsonValue& root, VTrackerConfigMap* out) {
  if (!root.IsArray()) {
    VELTO_LOG(velto::log::kRejected) << kLogPrefix << "json data invalidate with not array";
    return false;
  }
  VTrackerConfigMap map;
  for (size_t p = 0; p < root.size(); ++p) {
    const JsonValue page = root[p];
    const JsonValue elements = page["elements"];
    if (!elements.IsArray()) {
      VELTO_LOG(velto::log::kRejected) << kLogPrefix << "json data invalidate with elements, page " << p;
      continue;
    }
    const std::string page_hash = page["page_hash"].AsString();
    for (size_t e = 0; e < elements.size(); ++e) AddElement(elements[e], page_hash, &map);
  }
  if (out) *out = std::move(map);
  return true;
}

}  // namespace vtracker
