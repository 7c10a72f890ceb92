#include "base/variant/variant.h"

#include <bit>
#include <cmath>
#include <new>
#include <vector>

#include "base/variant/variant_rep.h"

namespace base::variant {

using internal::ArrayRep;
using internal::HeapRep;
using internal::MapRep;
using internal::StringRep;
using internal::WeakRep;

namespace internal {

StringRep* StringRep::Create(std::string_view s) {
  void* block = ::operator new(sizeof(StringRep) + s.size() + 1);
  auto* rep = new (block) StringRep(s.size());
  std::memcpy(rep->data(), s.data(), s.size());
  rep->data()[s.size()] = '\0';
  return rep;
}

ArrayRep* ArrayRep::Create(size_t capacity) {
  void* block = ::operator new(sizeof(ArrayRep) + capacity * sizeof(Variant));
  return new (block) ArrayRep(capacity);
}

ArrayRep* ArrayRep::CopyOf(const ArrayRep& other) {
  ArrayRep* rep = Create(other.items.size());
  for (const Variant& item : other.items) rep->items.emplace_back() = item;
  return rep;
}

void ArrayRep::Destroy(ArrayRep* rep) noexcept {
  rep->~ArrayRep();
  ::operator delete(static_cast<void*>(rep));
}

StringRep* StringRep::CreateChunk(size_t capacity) {
  void* block = ::operator new(sizeof(StringRep) + capacity);
  return new (block) StringRep(0);
}

void StringRep::Destroy(StringRep* rep) noexcept {
  rep->~StringRep();
  ::operator delete(static_cast<void*>(rep));
}

namespace {

bool IsContainer(const HeapRep* rep) noexcept {
  return rep->kind == Kind::kArray || rep->kind == Kind::kMap;
}

}  // namespace

// Freeing a container frees its children, which may be containers in turn. Containers whose last
// reference goes with their parent are queued and freed by the loop below, so a deeply nested
// value (any depth a caller managed to build) is freed without deep recursion.
void HeapRep::Release(HeapRep* rep) noexcept {
  if (rep->refs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  if (rep->kind == Kind::kString) {
    StringRep::Destroy(static_cast<StringRep*>(rep));
    return;
  }
  if (rep->kind == Kind::kWeakRef) {
    delete static_cast<WeakRep*>(rep);
    return;
  }
  std::vector<HeapRep*> orphans;
  // Lets go of a child in place, leaving it null, so that the container's own destructor has
  // nothing left to do but free memory.
  auto drop_child = [&orphans](Variant& child) {
    HeapRep* c = Of(child);
    if (!c) return;
    child.raw_.tag = 0;
    child.raw_.word = 0;
    if (c->refs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    if (IsContainer(c)) {
      orphans.push_back(c);
    } else if (c->kind == Kind::kString) {
      StringRep::Destroy(static_cast<StringRep*>(c));
    } else {
      delete static_cast<WeakRep*>(c);
    }
  };
  for (;;) {
    if (rep->kind == Kind::kArray) {
      auto* array = static_cast<ArrayRep*>(rep);
      for (Variant& item : array->items) drop_child(item);
      ArrayRep::Destroy(array);
    } else {
      auto* map = static_cast<MapRep*>(rep);
      for (Variant& value : map->values) drop_child(value);
      MapRep::Destroy(map);
    }
    if (orphans.empty()) return;
    rep = orphans.back();
    orphans.pop_back();
  }
}

}  // namespace internal

namespace {

double DoubleOf(uint64_t word) noexcept { return std::bit_cast<double>(word); }

}  // namespace

Variant::Variant(bool value) noexcept {
  raw_.tag = static_cast<uint8_t>(Kind::kBool);
  raw_.word = value ? 1 : 0;
}

Variant::Variant(long long value) noexcept {
  raw_.tag = static_cast<uint8_t>(Kind::kInteger);
  raw_.word = static_cast<uint64_t>(value);
}

Variant::Variant(unsigned long long value) noexcept {
  raw_.tag = static_cast<uint8_t>(Kind::kInteger) | kUnsignedFlag;
  raw_.word = value;
}

Variant::Variant(double value) noexcept {
  raw_.tag = static_cast<uint8_t>(Kind::kDouble);
  raw_.word = std::bit_cast<uint64_t>(value);
}

Variant::Variant(const char* value) : Variant() { AssignString(value ? std::string_view(value) : std::string_view()); }

Variant::Variant(std::string_view value) : Variant() { AssignString(value); }

Variant::Variant(std::string&& value) : Variant() { AssignString(value); }

Variant Variant::FromPointer(const void* pointer) noexcept {
  Variant v;
  v.raw_.tag = static_cast<uint8_t>(Kind::kPointer);
  v.raw_.word = reinterpret_cast<uintptr_t>(pointer);
  return v;
}

Variant Variant::FromWeak(std::weak_ptr<void> target) {
  Variant v;
  v.SetHeap(Kind::kWeakRef, new WeakRep(std::move(target)));
  return v;
}

Variant Variant::Array() {
  Variant v;
  v.SetHeap(Kind::kArray, ArrayRep::Create(0));
  return v;
}

Variant Variant::Map() {
  Variant v;
  v.SetHeap(Kind::kMap, MapRep::Create(nullptr, 0));
  return v;
}

Variant::Variant(const Variant& other) noexcept : raw_(other.raw_) {
  if (IsHeap()) heap()->AddRef();
}

// Takes the new value before letting go of the old one: |other| may live inside the value being
// replaced (v = v["child"]).
Variant& Variant::operator=(const Variant& other) noexcept {
  if (this == &other) return *this;
  Raw incoming = other.raw_;
  if (other.IsHeap()) other.heap()->AddRef();
  if (IsHeap()) Release();
  raw_ = incoming;
  return *this;
}

const Variant& Variant::EmptyVariant() noexcept {
  static const Variant empty{};
  return empty;
}

void Variant::Release() noexcept { HeapRep::Release(heap()); }

void Variant::AssignString(std::string_view value) {
  if (value.size() <= kInlineCapacity) {
    raw_.tag = static_cast<uint8_t>(Kind::kString);
    raw_.len = static_cast<uint8_t>(value.size());
    if (!value.empty()) std::memcpy(bytes_ + 2, value.data(), value.size());
    bytes_[2 + value.size()] = '\0';
  } else {
    SetHeap(Kind::kString, StringRep::Create(value));
  }
}

// ---- Scalar readers -------------------------------------------------------------------------

double Variant::AsDouble() const noexcept {
  if (IsDouble()) return DoubleOf(raw_.word);
  if (IsInteger()) {
    return IsUnsigned() ? static_cast<double>(raw_.word) : static_cast<double>(static_cast<int64_t>(raw_.word));
  }
  return 0;
}

std::string Variant::AsStr() const { return std::string(AsStringView()); }

std::string_view Variant::AsStringView() const noexcept {
  return IsString() ? HeapRep::StringOf(*this) : std::string_view();
}

const char* Variant::AsCStr() const noexcept {
  if (!IsString()) return "";
  if (IsHeap()) return HeapString().data();  // a NUL follows every heap string
  return bytes_ + 2;
}

void* Variant::AsPointer() const noexcept {
  return IsPointer() ? reinterpret_cast<void*>(static_cast<uintptr_t>(raw_.word)) : nullptr;
}

std::shared_ptr<void> Variant::LockWeak() const noexcept {
  return IsWeakRef() ? static_cast<const WeakRep*>(heap())->target.lock() : nullptr;
}

// ---- Containers -----------------------------------------------------------------------------

const MapRep* Variant::map_rep() const noexcept {
  return IsMap() ? static_cast<const MapRep*>(heap()) : nullptr;
}

const ArrayRep* Variant::array_rep() const noexcept {
  return IsArray() ? static_cast<const ArrayRep*>(heap()) : nullptr;
}

MapRep* Variant::MutableMap() {
  if (!IsMap()) *this = Map();
  auto* rep = static_cast<MapRep*>(heap());
  if (rep->IsShared()) {
    auto* own = MapRep::CopyOf(*rep);
    Release();
    SetHeap(Kind::kMap, own);
    rep = own;
  }
  return rep;
}

ArrayRep* Variant::MutableArray() {
  if (!IsArray()) *this = Array();
  auto* rep = static_cast<ArrayRep*>(heap());
  if (rep->IsShared()) {
    auto* own = ArrayRep::CopyOf(*rep);
    Release();
    SetHeap(Kind::kArray, own);
    rep = own;
  }
  return rep;
}

const Variant* Variant::Find(std::string_view key) const noexcept {
  const MapRep* rep = map_rep();
  if (!rep) return nullptr;
  return rep->Find(key);
}

const Variant& Variant::Get(std::string_view key) const noexcept {
  const Variant* v = Find(key);
  return v ? *v : EmptyVariant();
}

Variant& Variant::operator[](std::string_view key) { return MutableMap()->FindOrInsert(key); }

Variant& Variant::Set(std::string_view key, Variant value) {
  Variant& slot = MutableMap()->FindOrInsert(key);
  slot = std::move(value);
  return slot;
}

bool Variant::Remove(std::string_view key) {
  if (!Has(key)) return false;  // absent: no reason to unshare
  return MutableMap()->Erase(key);
}

bool Variant::GetBoolean(std::string_view key, bool def) const noexcept {
  const Variant* v = Find(key);
  return v && v->IsBool() ? v->raw_.word != 0 : def;
}

int32_t Variant::GetInt32(std::string_view key, int32_t def) const noexcept {
  const Variant* v = Find(key);
  return v && v->IsInteger() ? v->AsInt32() : def;
}

uint32_t Variant::GetUint32(std::string_view key, uint32_t def) const noexcept {
  const Variant* v = Find(key);
  return v && v->IsInteger() ? v->AsUint32() : def;
}

int64_t Variant::GetInteger(std::string_view key, int64_t def) const noexcept {
  const Variant* v = Find(key);
  return v && v->IsInteger() ? v->AsInteger() : def;
}

uint64_t Variant::GetUint64(std::string_view key, uint64_t def) const noexcept {
  const Variant* v = Find(key);
  return v && v->IsInteger() ? v->AsUint64() : def;
}

double Variant::GetDouble(std::string_view key, double def) const noexcept {
  const Variant* v = Find(key);
  return v && v->IsNumber() ? v->AsDouble() : def;
}

std::string Variant::GetString(std::string_view key, std::string_view def) const {
  const Variant* v = Find(key);
  return std::string(v && v->IsString() ? v->AsStringView() : def);
}

const char* Variant::GetCStr(std::string_view key, const char* def) const noexcept {
  const Variant* v = Find(key);
  return v && v->IsString() ? v->AsCStr() : def;
}

size_t Variant::size() const noexcept {
  if (const ArrayRep* a = array_rep()) return a->items.size();
  if (const MapRep* m = map_rep()) return m->values.size();
  return 0;
}

const Variant& Variant::At(size_t index) const noexcept {
  const ArrayRep* rep = array_rep();
  return rep && index < rep->items.size() ? rep->items[index] : EmptyVariant();
}

Variant& Variant::Add(Variant value) {
  ArrayRep* rep = MutableArray();
  return rep->items.emplace_back() = std::move(value);
}

bool Variant::RemoveAt(size_t index) {
  const ArrayRep* current = array_rep();
  if (!current || index >= current->items.size()) return false;
  ArrayRep* rep = MutableArray();
  rep->items.EraseAt(index);
  return true;
}

std::span<const Variant> Variant::Elements() const noexcept {
  const ArrayRep* rep = array_rep();
  if (!rep) return {};
  return std::span<const Variant>(rep->items.data(), rep->items.size());
}

std::span<Variant> Variant::MutableElements() {
  if (!IsArray()) return {};
  ArrayRep* rep = MutableArray();
  return std::span<Variant>(rep->items.data(), rep->items.size());
}

std::string_view Variant::KeyAt(size_t index) const noexcept {
  const MapRep* rep = map_rep();
  return rep && index < rep->values.size() ? rep->KeyAt(index) : std::string_view();
}

const Variant& Variant::ValueAt(size_t index) const noexcept {
  const MapRep* rep = map_rep();
  return rep && index < rep->values.size() ? rep->values[index] : EmptyVariant();
}

bool Variant::SharesKeysWith(const Variant& other) const noexcept {
  const MapRep* a = map_rep();
  const MapRep* b = other.map_rep();
  return a && b && a->keys && a->keys == b->keys;
}

// ---- Equality -------------------------------------------------------------------------------

namespace {

bool SameScalar(const Variant& a, const Variant& b) noexcept {
  switch (a.kind()) {
    case Kind::kNull:
      return true;
    case Kind::kBool:
      return a.AsBoolean() == b.AsBoolean();
    case Kind::kInteger:
      // Signed -1 and unsigned 2^64-1 share their bits but not their value.
      if (a.AsUint64() != b.AsUint64()) return false;
      return a.IsUnsigned() == b.IsUnsigned() || a.AsInteger() >= 0;
    case Kind::kDouble: {
      double x = a.AsDouble();
      double y = b.AsDouble();
      return x == y || (std::isnan(x) && std::isnan(y));
    }
    case Kind::kString:
      return a.AsStringView() == b.AsStringView();
    case Kind::kPointer:
      return a.AsPointer() == b.AsPointer();
    case Kind::kWeakRef: {
      // Two references are equal when they watch the same object, even once it is gone.
      const auto& x = static_cast<const WeakRep*>(HeapRep::Of(a))->target;
      const auto& y = static_cast<const WeakRep*>(HeapRep::Of(b))->target;
      return !x.owner_before(y) && !y.owner_before(x);
    }
    default:
      return false;
  }
}

}  // namespace

// Containers are compared with an explicit work list so that depth costs heap, not stack. Maps
// are equal when they hold the same keys with equal values, whatever the insertion order.
bool Variant::operator==(const Variant& other) const noexcept {
  std::vector<std::pair<const Variant*, const Variant*>> pending;
  const Variant* a = this;
  const Variant* b = &other;
  for (;;) {
    if (a->kind() != b->kind()) return false;
    if (a->IsArray() || a->IsMap()) {
      if (a->heap() != b->heap()) {
        if (a->size() != b->size()) return false;
        if (a->IsArray()) {
          auto xs = a->Elements();
          auto ys = b->Elements();
          for (size_t i = 0; i < xs.size(); ++i) pending.emplace_back(&xs[i], &ys[i]);
        } else {
          const MapRep* ma = a->map_rep();
          const MapRep* mb = b->map_rep();
          for (size_t i = 0; i < ma->values.size(); ++i) {
            // Maps that share a key table hold their values in the same order.
            const Variant* f = ma->keys == mb->keys ? &mb->values[i] : mb->Find(ma->KeyAt(i));
            if (!f) return false;
            pending.emplace_back(&ma->values[i], f);
          }
        }
      }
    } else if (!SameScalar(*a, *b)) {
      return false;
    }
    if (pending.empty()) return true;
    a = pending.back().first;
    b = pending.back().second;
    pending.pop_back();
  }
}

}  // namespace base::variant
