#include "base/tkv/tkv.h"

#include <atomic>
#include <bit>
#include <climits>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/log/log.h"
#include "base/tkv/tkv_file.h"
#include "base/tkv/tkv_record.h"
#include "base/tkv/tkv_reports.h"
#include "host_internal.h"

namespace base::tkv {
namespace {

using host_internal::tkv::Entry;
using host_internal::tkv::Failure;
using host_internal::tkv::StoreFile;

// Overwritten values may pile up in the batch log to this much beyond the live data before a
// synchronisation rewrites the log as one snapshot.
constexpr int64_t kCompactionSlackBytes = 64 * 1024;

struct ListenerSlot {
  std::mutex mutex;
  std::shared_ptr<TKVFatalErrorListener> listener;
};

ListenerSlot& Listener() {
  static auto* slot = new ListenerSlot;  // stores closed at exit may still report
  return *slot;
}

void ResetListener() { TKV::SetTKVFatalErrorListener(nullptr); }
const bool kRegistered = host_internal::RegisterReset(&ResetListener);

void Log(int level, int line, const char* function, const std::string& text) {
  if (log::GetLogLevel() >= level) log::PrintLog("TKV", "tkv.cpp", line, function, level, text);
}

uint32_t Saturate(int64_t value) {
  if (value <= 0) return 0;
  return value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
}

// Deliberately not noexcept: libstdc++ then stores each node's hash, so a lookup walking a
// bucket compares stored hashes instead of rehashing every key it passes (half the cost of a
// get, measured).
struct StringHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

}  // namespace

TKVVersionConfig TKVVersionConfig::KeepOldVersionAndUseNewVersionForNewFile(int32_t version) {
  return TKVVersionConfig{version, false};
}

TKVVersionConfig TKVVersionConfig::UseVersionForAllFiles(int32_t version) { return TKVVersionConfig{version, true}; }

class TKV::Core : public std::enable_shared_from_this<TKV::Core> {
 public:
  using Map = std::unordered_map<std::string, Entry, StringHash, std::equal_to<>>;

  Core(std::string path, const TKVConfig& config)
      : path_(std::move(path)), config_(config) {
    if (config.expected_key_count > 0) map_.reserve(static_cast<size_t>(config.expected_key_count));
  }

  bool Open(TKV* owner);
  void Close();

  ValueType TypeOf(std::string_view key) const {
    std::lock_guard lock(mutex_);
    auto it = map_.find(key);
    return it == map_.end() ? kTypeNone : it->second.type;
  }

  // The stored bits of `key` when it holds `type`.
  bool Bits(std::string_view key, ValueType type, uint64_t* bits) const {
    std::lock_guard lock(mutex_);
    auto it = map_.find(key);
    if (it == map_.end() || it->second.type != type) return false;
    *bits = it->second.bits;
    return true;
  }

  bool Text(std::string_view key, std::string* text) const {
    std::lock_guard lock(mutex_);
    auto it = map_.find(key);
    if (it == map_.end() || it->second.type != kTypeString) return false;
    *text = it->second.text;
    return true;
  }

  bool Put(std::string_view key, ValueType type, uint64_t bits, std::string_view text = {});
  bool Remove(std::string_view key);
  bool Sync();

  size_t PendingChangeCount() const {
    std::lock_guard lock(mutex_);
    return dirty_.size();
  }

  TKVStatistics Statistics();
  const std::string& path() const { return path_; }
  int32_t version() const { return version_; }
  bool read_only() const { return read_only_; }
  std::optional<TKVFatalError> LastError() const {
    std::lock_guard lock(health_mutex_);
    return last_error_;
  }
  void Report(const Failure& failure);
  void Report(const TKVFatalError& error);

 private:
  // With mutex_ held.
  void MarkDirty(Map::value_type& slot) {
    if (slot.second.dirty) return;
    slot.second.dirty = true;
    dirty_.push_back(&slot);
  }
  bool NeedsScheduleLocked() {
    if (!config_.auto_sync.scheduler || sync_scheduled_) return false;
    sync_scheduled_ = true;
    return true;
  }
  void ScheduleSync();
  bool OpenFile();
  // A write that could not be kept: reported (level 1 and the listener) when the store was
  // keeping its changes until now, only logged while it still cannot.
  void WriteFailed(const Failure& failure);
  void WriteSucceeded();
  // The first change refused by a read-only store is reported; later ones are not.
  void ChangeNotKept();
  static TKVFatalError ErrorOf(const Failure& failure) {
    return TKVFatalError{"tkv_file.cpp", failure.function, failure.line, failure.content};
  }

  const std::string path_;
  const TKVConfig config_;
  std::atomic<TKV*> owner_{nullptr};
  std::atomic<int32_t> version_{0};

  // The data: the map, its changed slots (node pointers stay valid until the node is erased,
  // which only a synchronisation does) and what the live data takes once encoded.
  mutable std::mutex mutex_;
  Map map_;
  std::vector<Map::value_type*> dirty_;
  int64_t live_count_ = 0;
  int64_t live_bytes_ = 0;
  bool sync_scheduled_ = false;
  uint64_t sync_task_id_ = 0;

  // The file, and a batch whose write failed: it goes out first at the next synchronisation.
  std::mutex file_mutex_;
  std::unique_ptr<StoreFile> file_;
  std::string unwritten_;
  bool unwritten_is_snapshot_ = false;
  int64_t synced_live_bytes_ = 0;

  // Health: why changes cannot be kept now (none while they can). A read-only store keeps its
  // reason for good.
  std::atomic<bool> read_only_{false};
  mutable std::mutex health_mutex_;
  std::optional<TKVFatalError> last_error_;
  bool refusal_reported_ = false;
};

void TKV::Core::Report(const Failure& failure) { Report(ErrorOf(failure)); }

void TKV::Core::Report(const TKVFatalError& error) {
  Log(1, error.line, error.function.c_str(), "tkv fatal error: " + error.content);
  host_internal::tkv::RecordReport(path_, error);
  std::shared_ptr<TKVFatalErrorListener> listener;
  {
    std::lock_guard lock(Listener().mutex);
    listener = Listener().listener;
  }
  if (!listener) return;
  listener->OnFatalError(owner_.load(), error);
}

void TKV::Core::WriteFailed(const Failure& failure) {
  {
    std::lock_guard lock(health_mutex_);
    if (last_error_) {
      // Reported when the trouble began; the changes are still held for the next try.
      Log(4, failure.line, failure.function, "still cannot write: " + failure.content);
      return;
    }
    last_error_ = ErrorOf(failure);
  }
  Report(failure);
}

void TKV::Core::WriteSucceeded() {
  if (read_only_) return;
  std::lock_guard lock(health_mutex_);
  if (!last_error_) return;
  last_error_.reset();
  Log(4, __LINE__, __func__, "changes are written to " + path_ + " again");
}

void TKV::Core::ChangeNotKept() {
  {
    std::lock_guard lock(health_mutex_);
    if (refusal_reported_) return;
    refusal_reported_ = true;
  }
  Report(TKVFatalError{"tkv.cpp", __func__, __LINE__, "the store is read-only, changes are not kept: " + path_});
}

bool TKV::Core::OpenFile() {
  Failure failure;
  file_ = StoreFile::Open(path_, config_.version, &failure);
  if (file_) return true;
  Report(failure);
  if (!failure.invalid_file) return false;
  const std::string aside = StoreFile::SetAside(path_, &failure);
  if (aside.empty()) {
    Report(failure);
    return false;
  }
  Log(4, __LINE__, __func__, "the damaged store " + path_ + " was kept as " + aside + "; starting afresh");
  file_ = StoreFile::Open(path_, config_.version, &failure);
  if (!file_) Report(failure);
  return file_ != nullptr;
}

bool TKV::Core::Open(TKV* owner) {
  owner_ = owner;
  std::lock_guard file_lock(file_mutex_);
  if (!OpenFile()) return false;
  Failure failure;
  std::lock_guard lock(mutex_);
  const bool loaded = file_->Load(
      [this](std::string_view key, Entry&& entry) {
        auto it = map_.find(key);
        if (it != map_.end()) {
          --live_count_;
          live_bytes_ -= static_cast<int64_t>(host_internal::tkv::RecordSize(key, it->second));
          if (entry.type == kTypeNone) {
            map_.erase(it);
            return;
          }
          it->second = std::move(entry);
        } else {
          if (entry.type == kTypeNone) return;
          it = map_.emplace(std::string(key), std::move(entry)).first;
        }
        ++live_count_;
        live_bytes_ += static_cast<int64_t>(host_internal::tkv::RecordSize(key, it->second));
      },
      &failure);
  if (!loaded) {
    // Keep what was readable: it becomes the first snapshot of the fresh store.
    Report(failure);
    file_.reset();
    if (!failure.invalid_file) return false;
    const std::string aside = StoreFile::SetAside(path_, &failure);
    if (aside.empty()) {
      Report(failure);
      return false;
    }
    Log(4, __LINE__, __func__,
        "the damaged store " + path_ + " was kept as " + aside + "; " + std::to_string(live_count_) +
            " readable keys carried over");
    file_ = StoreFile::Open(path_, config_.version, &failure);
    if (!file_) {
      Report(failure);
      return false;
    }
    for (auto& slot : map_) MarkDirty(slot);
    unwritten_is_snapshot_ = true;
  }
  version_ = file_->version();
  synced_live_bytes_ = loaded ? live_bytes_ : 0;
  if (loaded && file_->wants_upgrade()) unwritten_is_snapshot_ = true;  // rewritten at the first sync
  if (file_->read_only()) {
    read_only_ = true;
    std::lock_guard health(health_mutex_);
    last_error_ = TKVFatalError{"tkv.cpp", "Open", __LINE__, "the store is read-only: " + path_};
    Log(4, __LINE__, __func__,
        "the store " + path_ + " can only be read: its values are there, changes will not be kept");
  }
  return true;
}

bool TKV::Core::Put(std::string_view key, ValueType type, uint64_t bits, std::string_view text) {
  bool schedule;
  {
    std::lock_guard lock(mutex_);
    auto it = map_.find(key);
    if (it == map_.end()) it = map_.emplace(std::string(key), Entry{}).first;
    Entry& entry = it->second;
    if (entry.type != kTypeNone) {
      live_bytes_ -= static_cast<int64_t>(host_internal::tkv::RecordSize(key, entry));
    } else {
      ++live_count_;
    }
    entry.type = type;
    entry.bits = bits;
    if (type == kTypeString) {
      entry.text.assign(text);
    } else if (!entry.text.empty()) {
      entry.text.clear();
    }
    live_bytes_ += static_cast<int64_t>(host_internal::tkv::RecordSize(key, entry));
    MarkDirty(*it);
    schedule = !read_only_ && NeedsScheduleLocked();
  }
  if (read_only_) {
    // Readable for the rest of this session, never written.
    ChangeNotKept();
    return false;
  }
  if (schedule) ScheduleSync();
  return true;
}

bool TKV::Core::Remove(std::string_view key) {
  bool schedule;
  {
    std::lock_guard lock(mutex_);
    auto it = map_.find(key);
    if (it == map_.end() || it->second.type == kTypeNone) return false;
    --live_count_;
    live_bytes_ -= static_cast<int64_t>(host_internal::tkv::RecordSize(key, it->second));
    it->second.type = kTypeNone;  // a tombstone until the removal is written
    it->second.text.clear();
    MarkDirty(*it);
    schedule = !read_only_ && NeedsScheduleLocked();
  }
  if (read_only_) {
    ChangeNotKept();
    return false;
  }
  if (schedule) ScheduleSync();
  return true;
}

void TKV::Core::ScheduleSync() {
  Scheduler* scheduler = config_.auto_sync.scheduler.get();
  const uint64_t id = scheduler->GenerateTaskId();
  {
    std::lock_guard lock(mutex_);
    sync_task_id_ = id;
  }
  std::weak_ptr<Core> weak = weak_from_this();
  scheduler->Schedule(
      id,
      [weak] {
        auto core = weak.lock();
        if (!core) return;
        {
          std::lock_guard lock(core->mutex_);
          core->sync_scheduled_ = false;
        }
        core->Sync();
      },
      config_.auto_sync.interval_ms);
}

bool TKV::Core::Sync() {
  std::lock_guard file_lock(file_mutex_);
  if (!file_) return false;
  std::string batch;
  bool snapshot;
  int64_t live_bytes;
  {
    std::lock_guard lock(mutex_);
    if (dirty_.empty() && unwritten_.empty() && !unwritten_is_snapshot_) return true;
    if (read_only_) return false;  // reported at the first refused change
    int64_t delta = 0;
    for (const auto* slot : dirty_) delta += static_cast<int64_t>(host_internal::tkv::RecordSize(slot->first, slot->second));
    const int64_t after = file_->batch_bytes() + static_cast<int64_t>(unwritten_.size()) + delta;
    snapshot = unwritten_is_snapshot_ || after > 2 * live_bytes_ + kCompactionSlackBytes;
    if (snapshot) {
      batch.reserve(static_cast<size_t>(live_bytes_));
      for (const auto& [key, entry] : map_) {
        if (entry.type != kTypeNone) host_internal::tkv::AppendRecord(batch, key, entry);
      }
    } else {
      batch.reserve(unwritten_.size() + static_cast<size_t>(delta));
      batch = std::move(unwritten_);
      for (const auto* slot : dirty_) host_internal::tkv::AppendRecord(batch, slot->first, slot->second);
    }
    unwritten_.clear();
    for (auto* slot : dirty_) {
      slot->second.dirty = false;
      if (slot->second.type == kTypeNone) map_.erase(map_.find(slot->first));
    }
    dirty_.clear();
    live_bytes = live_bytes_;
  }
  Failure failure;
  const bool written = snapshot ? file_->Replace(batch, &failure) : file_->Append(batch, &failure);
  if (!written) {
    {
      std::lock_guard lock(mutex_);
      // A failed snapshot is simply taken again next time; a failed delta goes out before the
      // changes made since, which override it.
      unwritten_is_snapshot_ = snapshot;
      if (!snapshot) unwritten_ = std::move(batch);
    }
    WriteFailed(failure);
    return false;
  }
  unwritten_is_snapshot_ = false;
  synced_live_bytes_ = live_bytes;
  version_ = file_->version();
  WriteSucceeded();
  return true;
}

void TKV::Core::Close() {
  uint64_t pending = 0;
  {
    std::lock_guard lock(mutex_);
    if (sync_scheduled_) pending = sync_task_id_;
  }
  if (pending) config_.auto_sync.scheduler->Cancel(pending);
  Sync();
  bool lost = false;
  {
    std::lock_guard lock(mutex_);
    lost = !dirty_.empty() || !unwritten_.empty() || unwritten_is_snapshot_;
  }
  // The memory goes now: whatever could not be written is gone for good.
  if (lost) Log(1, __LINE__, __func__, "changes to " + path_ + " could not be kept and are lost");
  owner_ = nullptr;
}

TKVStatistics TKV::Core::Statistics() {
  TKVStatistics stats;
  std::lock_guard file_lock(file_mutex_);
  {
    std::lock_guard lock(mutex_);
    stats.key_count = Saturate(live_count_);
  }
  if (!file_) return stats;
  const host_internal::tkv::FileStats file = file_->Stats();
  stats.key_file_size = Saturate(file.page_count * file.page_size);
  stats.key_file_used_size = Saturate((file.page_count - file.free_pages) * file.page_size);
  const int64_t on_disk = file_->batch_bytes();
  const int64_t used = std::min(synced_live_bytes_, on_disk);
  stats.value_file_size = Saturate(on_disk);
  stats.value_file_used_size = Saturate(used);
  stats.value_file_fragment_size = Saturate(on_disk - used);
  return stats;
}

// ---- TKV ----

TKV::TKV(std::shared_ptr<Core> core) : core_(std::move(core)) {}

TKV::~TKV() { core_->Close(); }

std::unique_ptr<TKV> TKV::Create(const std::string& path, const TKVConfig& config) {
  if (path.empty()) {
    Log(3, __LINE__, __func__, "a store needs a path");
    return nullptr;
  }
  std::unique_ptr<TKV> tkv(new TKV(std::make_shared<Core>(path, config)));
  if (!tkv->core_->Open(tkv.get())) return nullptr;
  return tkv;
}

void TKV::SetTKVFatalErrorListener(std::shared_ptr<TKVFatalErrorListener> listener) {
  std::shared_ptr<TKVFatalErrorListener> previous;
  std::lock_guard lock(Listener().mutex);
  previous = std::exchange(Listener().listener, std::move(listener));
}

ValueType TKV::GetValueType(std::string_view key) const { return core_->TypeOf(key); }
bool TKV::Contains(std::string_view key) const { return core_->TypeOf(key) != kTypeNone; }

bool TKV::GetBool(std::string_view key, bool default_value) const {
  uint64_t bits;
  return core_->Bits(key, kTypeBool, &bits) ? bits != 0 : default_value;
}
int32_t TKV::GetInt32(std::string_view key, int32_t default_value) const {
  uint64_t bits;
  return core_->Bits(key, kTypeInt32, &bits) ? static_cast<int32_t>(static_cast<uint32_t>(bits)) : default_value;
}
int64_t TKV::GetInt64(std::string_view key, int64_t default_value) const {
  uint64_t bits;
  return core_->Bits(key, kTypeInt64, &bits) ? static_cast<int64_t>(bits) : default_value;
}
float TKV::GetFloat(std::string_view key, float default_value) const {
  uint64_t bits;
  return core_->Bits(key, kTypeFloat, &bits) ? std::bit_cast<float>(static_cast<uint32_t>(bits)) : default_value;
}
double TKV::GetDouble(std::string_view key, double default_value) const {
  uint64_t bits;
  return core_->Bits(key, kTypeDouble, &bits) ? std::bit_cast<double>(bits) : default_value;
}
uint32_t TKV::GetUInt32(std::string_view key, uint32_t default_value) const {
  uint64_t bits;
  return core_->Bits(key, kTypeUInt32, &bits) ? static_cast<uint32_t>(bits) : default_value;
}
uint64_t TKV::GetUInt64(std::string_view key, uint64_t default_value) const {
  uint64_t bits;
  return core_->Bits(key, kTypeUInt64, &bits) ? bits : default_value;
}
std::string TKV::GetString(std::string_view key, std::string_view default_value) const {
  std::string text;
  return core_->Text(key, &text) ? text : std::string(default_value);
}

bool TKV::PutBool(std::string_view key, bool value) { return core_->Put(key, kTypeBool, value ? 1 : 0); }
bool TKV::PutInt32(std::string_view key, int32_t value) {
  return core_->Put(key, kTypeInt32, static_cast<uint32_t>(value));
}
bool TKV::PutInt64(std::string_view key, int64_t value) {
  return core_->Put(key, kTypeInt64, static_cast<uint64_t>(value));
}
bool TKV::PutFloat(std::string_view key, float value) {
  return core_->Put(key, kTypeFloat, std::bit_cast<uint32_t>(value));
}
bool TKV::PutDouble(std::string_view key, double value) {
  return core_->Put(key, kTypeDouble, std::bit_cast<uint64_t>(value));
}
bool TKV::PutUInt32(std::string_view key, uint32_t value) { return core_->Put(key, kTypeUInt32, value); }
bool TKV::PutUInt64(std::string_view key, uint64_t value) { return core_->Put(key, kTypeUInt64, value); }
bool TKV::PutString(std::string_view key, std::string_view value, int32_t max_size_mb) {
  if (max_size_mb > 0 && value.size() > static_cast<uint64_t>(max_size_mb) * 1024 * 1024) {
    Log(3, __LINE__, __func__,
        "value of \"" + std::string(key) + "\" is " + std::to_string(value.size()) + " bytes, over the " +
            std::to_string(max_size_mb) + " MiB limit; not stored in " + core_->path());
    return false;
  }
  return core_->Put(key, kTypeString, 0, value);
}
bool TKV::Remove(std::string_view key) { return core_->Remove(key); }

bool TKV::Sync() { return core_->Sync(); }
size_t TKV::PendingChangeCount() const { return core_->PendingChangeCount(); }
TKVStatistics TKV::GetStatistics() const { return core_->Statistics(); }
const std::string& TKV::GetPath() const { return core_->path(); }
int32_t TKV::GetFormatVersion() const { return core_->version(); }
std::optional<TKVFatalError> TKV::GetLastError() const { return core_->LastError(); }
bool TKV::IsReadOnly() const { return core_->read_only(); }

}  // namespace base::tkv
