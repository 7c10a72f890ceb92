// base::tkv: the host's file-backed typed key-value store.
//
//   base::tkv::TKVConfig config;
//   config.auto_sync = {scheduler, 30000};               // background sync 30 s after a write
//   std::unique_ptr<base::tkv::TKV> store = base::tkv::TKV::Create(dir + "settings", config);
//   store->PutInt32("volume", 80);
//   int32_t volume = store->GetInt32("volume", 50);       // 80
//   store->Sync();                                       // durable now
//
// Every key holds one typed value; a get of another type, or of an absent key, answers the
// caller's default. All values live in memory: reads never touch the disk, and writes only mark
// the key as changed. A synchronisation (Sync, the background sync, or closing the store)
// writes every changed key in one SQLite transaction, so a crash loses at most the changes made
// since the last synchronisation and never damages what was synchronised.
//
// A file that is not a valid store (an empty file included) is reported to the fatal-error
// listener, renamed to "<path>.corrupt-<ms since epoch>" (never deleted) and replaced by a fresh
// store. A failure to write (a full disk) is reported the same way when it begins, and only
// logged while it lasts; the changes stay in memory for the next try, and GetLastError says
// why they are not kept. A store that cannot be written (a write-protected file, a read-only
// directory) is opened for reading: its values are there, the first change is reported and no
// change is kept.
//
// A store may be used from several threads; the background sync runs on the scheduler's thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace base::tkv {

// The kind of value a key holds.
enum ValueType : int32_t {
  kTypeNone = -1,
  kTypeBool = 0,
  kTypeInt32 = 1,
  kTypeInt64 = 2,
  kTypeFloat = 3,
  kTypeDouble = 4,
  kTypeUInt32 = 5,
  kTypeUInt64 = 6,
  kTypeString = 7,
};

// Deferred work for the store's background synchronisation.
class Scheduler {
 public:
  // A fresh id for Schedule.
  virtual uint64_t GenerateTaskId() = 0;
  // Runs `task` once after `delay_ms` on a thread of the scheduler's choosing.
  virtual void Schedule(uint64_t task_id, std::function<void()> task, int64_t delay_ms) = 0;
  // False when the id is not pending.
  virtual bool Cancel(uint64_t task_id) = 0;
  virtual ~Scheduler() = default;
};

// On-disk format versions: 1 stores change batches as they are; 2 adds an MD5 digest to each
// batch, checked when the store is opened.
inline constexpr int32_t kFormatVersion1 = 1;
inline constexpr int32_t kFormatVersion2 = 2;
inline constexpr int32_t kLatestFormatVersion = kFormatVersion2;

struct TKVVersionConfig {
  int32_t new_file_version = kLatestFormatVersion;
  bool upgrade_existing_files = false;

  // Existing files keep the version they were written with; new files get `version`.
  static TKVVersionConfig KeepOldVersionAndUseNewVersionForNewFile(int32_t version);
  // Existing files of an older version are rewritten in `version` when opened.
  static TKVVersionConfig UseVersionForAllFiles(int32_t version);
};

struct AutoSyncConfig {
  // Shared with the store so that it outlives every store using it; null turns background
  // synchronisation off (Sync and closing still write).
  std::shared_ptr<Scheduler> scheduler;
  int64_t interval_ms = 30000;  // from the first unsynchronised change to the background sync
};

struct TKVConfig {
  int64_t expected_key_count = 0;  // sizes the in-memory table up front; 0 for no hint
  TKVVersionConfig version;
  AutoSyncConfig auto_sync;
};

// Sizes in bytes, saturated at UINT32_MAX. The key file is the SQLite database; the value file
// is the log of change batches inside it, whose fragment is the bytes of overwritten values
// that the next compaction drops.
struct TKVStatistics {
  uint32_t key_count = 0;
  uint32_t key_file_size = 0;
  uint32_t key_file_used_size = 0;  // database pages in use (not on the free list)
  uint32_t value_file_size = 0;
  uint32_t value_file_used_size = 0;
  uint32_t value_file_fragment_size = 0;
};

struct TKVFatalError {
  std::string file;  // source file (base name) that detected the error
  std::string function;
  int32_t line = 0;
  std::string content;
};

class TKV;

class TKVFatalErrorListener {
 public:
  virtual ~TKVFatalErrorListener() = default;
  // May run on any thread that uses the store. `tkv` is null when the store could not be made.
  virtual void OnFatalError(TKV* tkv, const TKVFatalError& error) = 0;
};

class TKV {
 public:
  // Opens or creates the store at `path` (its directory must exist). Null when no store can be
  // opened there at all, reported to the listener.
  static std::unique_ptr<TKV> Create(const std::string& path, const TKVConfig& config);
  // The process-wide listener; null removes it.
  static void SetTKVFatalErrorListener(std::shared_ptr<TKVFatalErrorListener> listener);

  // Cancels the background sync and synchronises.
  ~TKV();
  TKV(const TKV&) = delete;
  TKV& operator=(const TKV&) = delete;

  ValueType GetValueType(std::string_view key) const;
  bool Contains(std::string_view key) const;

  bool GetBool(std::string_view key, bool default_value) const;
  int32_t GetInt32(std::string_view key, int32_t default_value) const;
  int64_t GetInt64(std::string_view key, int64_t default_value) const;
  float GetFloat(std::string_view key, float default_value) const;
  double GetDouble(std::string_view key, double default_value) const;
  uint32_t GetUInt32(std::string_view key, uint32_t default_value) const;
  uint64_t GetUInt64(std::string_view key, uint64_t default_value) const;
  std::string GetString(std::string_view key, std::string_view default_value) const;

  // A put replaces the key's value and type; false when the change cannot be kept (a read-only
  // store holds it in memory only).
  bool PutBool(std::string_view key, bool value);
  bool PutInt32(std::string_view key, int32_t value);
  bool PutInt64(std::string_view key, int64_t value);
  bool PutFloat(std::string_view key, float value);
  bool PutDouble(std::string_view key, double value);
  bool PutUInt32(std::string_view key, uint32_t value);
  bool PutUInt64(std::string_view key, uint64_t value);
  // Refuses (false, logged) a value longer than `max_size_mb` MiB; 0 or less for no limit.
  bool PutString(std::string_view key, std::string_view value, int32_t max_size_mb);
  // False when the key was absent, or the removal cannot be kept (read-only store).
  bool Remove(std::string_view key);

  // Writes every change now; false (reported) when the write failed.
  bool Sync();
  // Keys changed since the last synchronisation.
  size_t PendingChangeCount() const;

  TKVStatistics GetStatistics() const;
  const std::string& GetPath() const;
  int32_t GetFormatVersion() const;
  // Why changes are not being kept, or none while they are: the failed write that began the
  // trouble (cleared by the next successful write), or the reason a store is read-only.
  std::optional<TKVFatalError> GetLastError() const;
  // True when the file could only be opened for reading (puts then answer false).
  bool IsReadOnly() const;

  class Core;

 private:
  explicit TKV(std::shared_ptr<Core> core);
  std::shared_ptr<Core> core_;
};

}  // namespace base::tkv
