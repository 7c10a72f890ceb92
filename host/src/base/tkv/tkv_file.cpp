#include "base/tkv/tkv_file.h"

#include <openssl/evp.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

#include "util/file/file_util.h"

namespace host_internal::tkv {
namespace {

constexpr const char* kTable = "tkv_batches";
constexpr int kBusyTimeoutMs = 2000;
constexpr size_t kDigestSize = 16;

std::string Digest(std::string_view data) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(data.data(), data.size(), digest, &length, EVP_md5(), nullptr) != 1) return {};
  return std::string(reinterpret_cast<const char*>(digest), length);
}

// Result codes that say the bytes on disk are not a store, as opposed to the file being
// unreachable (permissions, a lock held elsewhere, a full disk).
bool IsDamage(int rc) {
  const int primary = rc & 0xFF;
  return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT || primary == SQLITE_FORMAT;
}

// Result codes that say the file or its directory cannot take writes (or the WAL beside it
// cannot be made), where reading may still work.
bool IsReadOnlyMedium(int rc) {
  const int primary = rc & 0xFF;
  return primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN;
}

// `path` for a "file:" URI: the characters that would end the path or start an escape are
// percent-encoded.
std::string UriPath(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '%' || c == '?' || c == '#') {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += '%';
      out += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
      out += kHex[static_cast<unsigned char>(c) & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

int64_t PragmaInt(sqlite3* db, const char* sql, int* rc_out) {
  sqlite3_stmt* stmt = nullptr;
  int64_t value = 0;
  int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
  if (rc == SQLITE_OK) {
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
      value = sqlite3_column_int64(stmt, 0);
      rc = SQLITE_OK;
    }
  }
  sqlite3_finalize(stmt);
  if (rc_out) *rc_out = rc;
  return value;
}

}  // namespace

Failure StoreFile::Fail(int line, const char* function, const std::string& what, int rc) const {
  Failure failure;
  failure.line = line;
  failure.function = function;
  failure.content = what + ": " + (db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc)) + " (sqlite " +
                    std::to_string(rc) + ") at " + path_;
  failure.invalid_file = IsDamage(rc);
  return failure;
}

bool StoreFile::Exec(const char* sql, int line, const char* function, Failure* failure) {
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) return true;
  *failure = Fail(line, function, std::string("\"") + sql + "\" failed", rc);
  return false;
}

std::unique_ptr<StoreFile> StoreFile::Open(const std::string& path, const base::tkv::TKVVersionConfig& version,
                                           Failure* failure) {
  // An empty file is no store (truncated, or its creation cut short). SQLite would take it for
  // a new database and the store would start afresh over it without a word.
  struct stat info = {};
  if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0) {
    *failure = Failure{__LINE__, __func__, "the store file is empty (0 bytes) at " + path, true};
    return nullptr;
  }
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::unique_ptr<StoreFile> file(new StoreFile(db, path));
  if (rc != SQLITE_OK) {
    *failure = file->Fail(__LINE__, __func__, "cannot open the store", rc);
    return nullptr;
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  if (!file->Exec("PRAGMA journal_mode=WAL", __LINE__, __func__, failure)) {
    // The WAL and its index cannot be made next to the file (a read-only directory): whatever
    // the file holds can still be read.
    if (!IsReadOnlyMedium(sqlite3_extended_errcode(db)) || !file->ReopenReadOnly(failure)) return nullptr;
    db = file->db_;
  }
  // A synchronisation is rare and must survive power loss: every commit reaches the disk.
  if (!file->Exec("PRAGMA synchronous=FULL", __LINE__, __func__, failure)) return nullptr;
  // A damaged page shows here rather than in the middle of a later synchronisation.
  if (!file->CheckIntegrity(failure)) return nullptr;
  // SQLite opens a write-protected file for reading without saying so; ask.
  file->read_only_ = file->read_only_ || sqlite3_db_readonly(db, "main") == 1;

  int pragma_rc = SQLITE_OK;
  const int64_t stored_version = PragmaInt(db, "PRAGMA user_version", &pragma_rc);
  if (pragma_rc != SQLITE_OK) {
    *failure = file->Fail(__LINE__, __func__, "cannot read the format version", pragma_rc);
    return nullptr;
  }
  const int64_t tables = PragmaInt(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table'", &pragma_rc);
  const int64_t ours =
      PragmaInt(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'tkv_batches'", &pragma_rc);
  if (pragma_rc != SQLITE_OK) {
    *failure = file->Fail(__LINE__, __func__, "cannot read the schema", pragma_rc);
    return nullptr;
  }

  int32_t wanted = version.new_file_version;
  if (wanted != base::tkv::kFormatVersion1 && wanted != base::tkv::kFormatVersion2) {
    wanted = base::tkv::kLatestFormatVersion;
  }
  if (stored_version == 0) {
    if (tables != 0) {
      *failure = Failure{__LINE__, __func__, "not a store: the database holds other tables at " + path, true};
      return nullptr;
    }
    const std::string create = std::string("BEGIN IMMEDIATE; CREATE TABLE ") + kTable +
                               "(seq INTEGER PRIMARY KEY, digest BLOB, data BLOB NOT NULL); PRAGMA user_version = " +
                               std::to_string(wanted) + "; COMMIT";
    if (!file->Exec(create.c_str(), __LINE__, __func__, failure)) {
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      return nullptr;
    }
    file->version_ = wanted;
  } else if (stored_version < base::tkv::kFormatVersion1 || stored_version > base::tkv::kLatestFormatVersion ||
             ours != 1) {
    *failure = Failure{__LINE__, __func__,
                       "not a store of a known format (version " + std::to_string(stored_version) + ") at " + path,
                       true};
    return nullptr;
  } else {
    file->version_ = static_cast<int32_t>(stored_version);
  }
  // A read-only file keeps its format: an upgrade could never be written.
  file->target_version_ = version.upgrade_existing_files && !file->read_only_ ? std::max(wanted, file->version_)
                                                                              : file->version_;
  if (!file->Prepare()) {
    *failure = file->Fail(__LINE__, __func__, "cannot prepare the batch insert", sqlite3_errcode(db));
    return nullptr;
  }
  return file;
}

bool StoreFile::CheckIntegrity(Failure* failure) {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db_, "PRAGMA quick_check", -1, &stmt, nullptr);
  std::string verdict;
  if (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    const unsigned char* text = sqlite3_column_text(stmt, 0);
    verdict = text ? reinterpret_cast<const char*>(text) : "";
    rc = SQLITE_OK;
  }
  sqlite3_finalize(stmt);
  if (rc != SQLITE_OK) {
    *failure = Fail(__LINE__, __func__, "integrity check failed", rc);
    return false;
  }
  if (verdict != "ok") {
    *failure = Failure{__LINE__, __func__, "integrity check: " + verdict + " at " + path_, true};
    return false;
  }
  return true;
}

bool StoreFile::ReopenReadOnly(Failure* failure) {
  sqlite3_close_v2(db_);
  db_ = nullptr;
  read_only_ = true;
  // A reader of a WAL database needs the WAL index next to it, unless the database is opened
  // as immutable. In a directory where nobody can create that index, nobody can write the
  // database either, so it is immutable indeed. (A WAL an earlier writer left there is read
  // whenever its index can be; only failing that is the database file read alone.)
  for (const bool immutable : {false, true}) {
    const std::string name = immutable ? "file:" + UriPath(path_) + "?immutable=1" : path_;
    const int flags = SQLITE_OPEN_READONLY | (immutable ? SQLITE_OPEN_URI : 0);
    const int rc = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
    if (rc == SQLITE_OK) {
      sqlite3_extended_result_codes(db_, 1);
      sqlite3_busy_timeout(db_, kBusyTimeoutMs);
      Failure check;
      if (CheckIntegrity(&check)) return true;
      const int check_rc = sqlite3_extended_errcode(db_);
      *failure = check;
      if (check.invalid_file || !IsReadOnlyMedium(check_rc)) return false;
    } else {
      *failure = Fail(__LINE__, __func__, "cannot open the store for reading", rc);
    }
    sqlite3_close_v2(db_);
    db_ = nullptr;
  }
  return false;
}

bool StoreFile::Prepare() {
  return sqlite3_prepare_v3(db_, "INSERT INTO tkv_batches(digest, data) VALUES(?, ?)", -1,
                            SQLITE_PREPARE_PERSISTENT, &insert_, nullptr) == SQLITE_OK;
}

StoreFile::~StoreFile() {
  sqlite3_finalize(insert_);
  // The last connection checkpoints the WAL into the database and removes it.
  sqlite3_close_v2(db_);
}

std::string StoreFile::SetAside(const std::string& path, Failure* failure) {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const std::string stem = path + ".corrupt-" + std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  std::string aside = stem;
  for (int n = 1; util::file::PathExists(aside) || util::file::PathExists(aside + "-wal"); ++n) {
    aside = stem + "-" + std::to_string(n);
  }
  if (util::file::PathExists(path) && std::rename(path.c_str(), aside.c_str()) != 0) {
    *failure = Failure{__LINE__, __func__, "cannot move the damaged store " + path + " aside to " + aside, false};
    return {};
  }
  // The journal files belong to the damaged database: they travel with it, or a fresh database
  // at the old path would replay them.
  for (const char* suffix : {"-wal", "-shm"}) {
    const std::string from = path + suffix;
    if (util::file::PathExists(from) && std::rename(from.c_str(), (aside + suffix).c_str()) != 0) {
      *failure = Failure{__LINE__, __func__, "cannot move " + from + " aside", false};
      return {};
    }
  }
  return aside;
}

bool StoreFile::Load(const std::function<void(std::string_view, Entry&&)>& apply, Failure* failure) {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db_, "SELECT seq, digest, data FROM tkv_batches ORDER BY seq", -1, &stmt, nullptr);
  batch_bytes_ = 0;
  bool ok = rc == SQLITE_OK;
  if (!ok) *failure = Fail(__LINE__, __func__, "cannot read the batches", rc);
  while (ok && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    const int64_t seq = sqlite3_column_int64(stmt, 0);
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, 2));
    const std::string_view batch(data ? data : "", static_cast<size_t>(sqlite3_column_bytes(stmt, 2)));
    if (version_ >= base::tkv::kFormatVersion2) {
      const auto* digest = static_cast<const char*>(sqlite3_column_blob(stmt, 1));
      const std::string_view stored(digest ? digest : "", static_cast<size_t>(sqlite3_column_bytes(stmt, 1)));
      if (stored.size() != kDigestSize || stored != Digest(batch)) {
        *failure = Failure{__LINE__, __func__, "batch " + std::to_string(seq) + " fails its digest at " + path_, true};
        ok = false;
        break;
      }
    }
    std::string error;
    if (!DecodeBatch(batch, apply, &error)) {
      *failure = Failure{__LINE__, __func__, "batch " + std::to_string(seq) + ": " + error + " at " + path_, true};
      ok = false;
      break;
    }
    batch_bytes_ += static_cast<int64_t>(batch.size());
  }
  if (ok && rc != SQLITE_DONE) {
    *failure = Fail(__LINE__, __func__, "reading the batches failed", rc);
    ok = false;
  }
  sqlite3_finalize(stmt);
  return ok;
}

bool StoreFile::InsertLocked(std::string_view batch, int line, const char* function, Failure* failure) {
  const std::string digest = version_ >= base::tkv::kFormatVersion2 ? Digest(batch) : std::string();
  if (digest.empty()) {
    sqlite3_bind_null(insert_, 1);
  } else {
    sqlite3_bind_blob(insert_, 1, digest.data(), static_cast<int>(digest.size()), SQLITE_STATIC);
  }
  sqlite3_bind_blob64(insert_, 2, batch.data(), batch.size(), SQLITE_STATIC);
  const int rc = sqlite3_step(insert_);
  sqlite3_reset(insert_);
  sqlite3_clear_bindings(insert_);
  if (rc == SQLITE_DONE) return true;
  *failure = Fail(line, function, "writing a batch failed", rc);
  return false;
}

bool StoreFile::Append(std::string_view batch, Failure* failure) {
  if (!Exec("BEGIN IMMEDIATE", __LINE__, __func__, failure)) return false;
  if (!InsertLocked(batch, __LINE__, __func__, failure) || !Exec("COMMIT", __LINE__, __func__, failure)) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
  }
  batch_bytes_ += static_cast<int64_t>(batch.size());
  return true;
}

bool StoreFile::Replace(std::string_view snapshot, Failure* failure) {
  if (!Exec("BEGIN IMMEDIATE", __LINE__, __func__, failure)) return false;
  const int32_t previous_version = version_;
  bool ok = Exec("DELETE FROM tkv_batches", __LINE__, __func__, failure);
  if (ok && target_version_ != version_) {
    const std::string set_version = "PRAGMA user_version = " + std::to_string(target_version_);
    ok = Exec(set_version.c_str(), __LINE__, __func__, failure);
    version_ = target_version_;  // the snapshot's digest follows the new format
  }
  ok = ok && InsertLocked(snapshot, __LINE__, __func__, failure) && Exec("COMMIT", __LINE__, __func__, failure);
  if (!ok) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    version_ = previous_version;
    return false;
  }
  batch_bytes_ = static_cast<int64_t>(snapshot.size());
  return true;
}

FileStats StoreFile::Stats() {
  FileStats stats;
  stats.page_size = PragmaInt(db_, "PRAGMA page_size", nullptr);
  stats.page_count = PragmaInt(db_, "PRAGMA page_count", nullptr);
  stats.free_pages = PragmaInt(db_, "PRAGMA freelist_count", nullptr);
  return stats;
}

}  // namespace host_internal::tkv
