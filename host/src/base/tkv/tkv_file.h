// The SQLite side of a store: one database in WAL mode whose table "tkv_batches" holds the
// change batches in the order they were written; PRAGMA user_version holds the format version.
// A store that cannot be written (a write-protected file, a read-only directory) is opened for
// reading only. Not thread-safe: the store serialises every call.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/tkv/tkv.h"
#include "base/tkv/tkv_record.h"

namespace host_internal::tkv {

// Where and why the file layer gave up; the store reports it.
struct Failure {
  int line = 0;
  const char* function = "";
  std::string content;
  bool invalid_file = false;  // the file is not a usable store (damaged, foreign, unknown version)
};

struct FileStats {
  int64_t page_size = 0;
  int64_t page_count = 0;
  int64_t free_pages = 0;
};

class StoreFile {
 public:
  // Opens or creates the database at `path` and checks that it is a store. Null with `failure`
  // filled when it cannot be opened or is not a store.
  static std::unique_ptr<StoreFile> Open(const std::string& path, const base::tkv::TKVVersionConfig& version,
                                         Failure* failure);
  // Renames the database and its WAL and shared-memory files to "<path>.corrupt-<ms>[-n]";
  // returns the new database path, or "" (with `failure`) when it could not be moved.
  static std::string SetAside(const std::string& path, Failure* failure);
  ~StoreFile();

  // Applies every stored record in order; false on a damaged batch (records before it applied).
  bool Load(const std::function<void(std::string_view, Entry&&)>& apply, Failure* failure);
  // Adds one batch in one transaction.
  bool Append(std::string_view batch, Failure* failure);
  // Replaces all batches with `snapshot` in one transaction, upgrading the format when asked.
  bool Replace(std::string_view snapshot, Failure* failure);
  FileStats Stats();

  int32_t version() const { return version_; }
  // Bytes of all stored batches.
  int64_t batch_bytes() const { return batch_bytes_; }
  // True when the file is of an older format that the configuration wants upgraded.
  bool wants_upgrade() const { return target_version_ > version_; }
  // True when the database could only be opened for reading: Append and Replace then fail.
  bool read_only() const { return read_only_; }

 private:
  StoreFile(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}
  // Opens the existing database for reading only; false with `failure` when even that fails.
  bool ReopenReadOnly(Failure* failure);
  bool CheckIntegrity(Failure* failure);
  bool Exec(const char* sql, int line, const char* function, Failure* failure);
  bool Prepare();
  Failure Fail(int line, const char* function, const std::string& what, int rc) const;
  bool InsertLocked(std::string_view batch, int line, const char* function, Failure* failure);

  sqlite3* db_;
  std::string path_;
  sqlite3_stmt* insert_ = nullptr;
  int32_t version_ = 0;
  int32_t target_version_ = 0;
  int64_t batch_bytes_ = 0;
  bool read_only_ = false;
};

}  // namespace host_internal::tkv
