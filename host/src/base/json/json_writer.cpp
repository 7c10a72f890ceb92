// Variant -> JSON text through RapidJSON's writer: strings escaped as JSON requires with UTF-8
// kept as it is, doubles in their shortest round-tripping form. Values JSON cannot carry
// (pointers, weak references, NaN and infinities) are written as null.
#include <string>
#include <vector>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "base/variant/variant.h"

namespace base::variant {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void WriteScalar(const Variant& v, JsonWriter& w) {
  switch (v.kind()) {
    case Kind::kBool:
      w.Bool(v.AsBoolean());
      break;
    case Kind::kInteger:
      if (v.IsUnsigned()) {
        w.Uint64(v.AsUint64());
      } else {
        w.Int64(v.AsInteger());
      }
      break;
    case Kind::kDouble: {
      double d = v.AsDouble();
      if (d - d == 0) {  // finite
        w.Double(d);
      } else {
        w.Null();
      }
      break;
    }
    case Kind::kString: {
      std::string_view s = v.AsStringView();
      w.String(s.empty() ? "" : s.data(), static_cast<rapidjson::SizeType>(s.size()));
      break;
    }
    default:
      w.Null();
      break;
  }
}

// A container being written and the position of its next member.
struct Frame {
  const Variant* container;
  size_t next;
};

}  // namespace

// The walk keeps its own stack: a Variant built in code can nest deeper than the call stack
// would comfortably allow.
std::string Variant::ToJsonStr() const {
  rapidjson::StringBuffer buffer;
  JsonWriter writer(buffer);
  std::vector<Frame> open;
  const Variant* v = this;
  for (;;) {
    if (v) {
      if (v->IsMap()) {
        writer.StartObject();
        open.push_back(Frame{v, 0});
      } else if (v->IsArray()) {
        writer.StartArray();
        open.push_back(Frame{v, 0});
      } else {
        WriteScalar(*v, writer);
      }
    }
    if (open.empty()) break;
    Frame& top = open.back();
    if (top.next == top.container->size()) {
      if (top.container->IsMap()) {
        writer.EndObject();
      } else {
        writer.EndArray();
      }
      open.pop_back();
      if (open.empty()) break;
      v = nullptr;
      continue;
    }
    size_t i = top.next++;
    if (top.container->IsMap()) {
      std::string_view key = top.container->KeyAt(i);
      writer.Key(key.empty() ? "" : key.data(), static_cast<rapidjson::SizeType>(key.size()));
      v = &top.container->ValueAt(i);
    } else {
      v = &top.container->At(i);
    }
  }
  return std::string(buffer.GetString(), buffer.GetSize());
}

}  // namespace base::variant
