#include "util/string/stringhelp.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/stringpiece.h>
#include <unicode/unistr.h>

#include <memory>
#include <string>

#include "framework/resource.h"

namespace util::stringhelp {
namespace {

// "zh-cn" names the ICU locale zh_CN, whose default collation is pinyin order; "en-us", en_US.
std::unique_ptr<icu::Collator> MakeCollator(const std::string& language) {
  UErrorCode status = U_ZERO_ERROR;
  icu::Locale locale = icu::Locale::forLanguageTag(language, status);
  if (U_FAILURE(status) || locale.isBogus()) locale = icu::Locale::getRoot();
  status = U_ZERO_ERROR;
  std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
  if (U_FAILURE(status) || !collator) {
    status = U_ZERO_ERROR;
    collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) collator.reset();
  }
  return collator;
}

// One collator per thread: comparison needs no lock, and a language switch on one thread does
// not pull the collator from under another thread's sort.
// Sorting compares thousands of times: the language is read again only when it may have changed.
struct CollatorSlot {
  uint64_t serial = 0;  // of the language the slot was last checked against
  std::string language;
  std::unique_ptr<icu::Collator> collator;
};

icu::Collator* CurrentCollator() {
  thread_local CollatorSlot slot;
  framework::Resource* resource = framework::Resource::GetInstance();
  const uint64_t serial = resource->GetLanguageSerial();
  if (slot.collator && serial == slot.serial) return slot.collator.get();
  std::string language = resource->GetLanguage();
  if (!slot.collator || language != slot.language) {
    slot.collator = MakeCollator(language);
    slot.language = std::move(language);
  }
  slot.serial = serial;
  return slot.collator.get();
}

// -1, 0 or 1 by the bytes: the order when no collator can decide.
int ByteOrder(std::string_view a, std::string_view b) {
  const int order = a.compare(b);
  return (order > 0) - (order < 0);
}

}  // namespace

int CompareLocalizedString(std::string_view a, std::string_view b) {
  icu::Collator* collator = CurrentCollator();
  if (!collator) return ByteOrder(a, b);
  UErrorCode status = U_ZERO_ERROR;
  const UCollationResult result = collator->compareUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
                                                        icu::StringPiece(b.data(), static_cast<int32_t>(b.size())),
                                                        status);
  if (U_FAILURE(status)) return ByteOrder(a, b);
  return result == UCOL_LESS ? -1 : (result == UCOL_EQUAL ? 0 : 1);
}

std::string LocalizedSortKey(std::string_view text) {
  icu::Collator* collator = CurrentCollator();
  if (!collator) return std::string(text);
  const icu::UnicodeString unicode =
      icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  std::string key(text.size() * 4 + 16, '\0');
  int32_t length = collator->getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()),
                                        static_cast<int32_t>(key.size()));
  if (length > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<size_t>(length));
    length = collator->getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()), length);
  }
  // The key ends with a NUL byte that adds nothing to its order.
  key.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
  return key;
}

}  // namespace util::stringhelp
