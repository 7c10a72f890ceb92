#include "base/async/parse_json_file.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <utility>

#include "base/threading/looper.h"

namespace base::async {
namespace {

struct Parsed {
  bool ok = false;
  json::JsonValue document;
};

Parsed ReadAndParse(const std::string& path) {
  Parsed parsed;
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return parsed;
  const std::streamoff size = file.tellg();
  if (size < 0 || size > kSmallJsonFileMaxBytes) return parsed;
  file.seekg(0);
  std::string text(static_cast<size_t>(size), '\0');
  if (size > 0 && !file.read(text.data(), size)) return parsed;
  parsed.ok = parsed.document.ParseFromJson(text);
  return parsed;
}

}  // namespace

bool ParseSmallJsonFile(const std::string& path, JsonFileCallback done, const Location& from) {
  if (!done) return false;
  threading::LooperThread::WorkerLooper()->PostTask(
      [path, done = std::move(done), from]() mutable {
        auto parsed = std::make_shared<Parsed>(ReadAndParse(path));
        threading::LooperThread::MainLooper()->PostTask(
            [parsed, done = std::move(done)] { done(parsed->ok, parsed->document); }, from);
      },
      from);
  return true;
}

}  // namespace base::async
