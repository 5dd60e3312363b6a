#include "framework/tfontconfiguration.h"

#include <mutex>
#include <thread>

#ifdef BR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

// The worker; joined by Wait or, at the latest, when the program ends.
struct TReader {
  std::mutex Lock;
  std::thread Worker;
  bool Started = false;
  ~TReader() {
    if (Worker.joinable()) Worker.join();
  }
};

TReader& Reader() {
  static TReader reader;
  return reader;
}

}  // namespace

void TFontConfiguration::Start() {
#ifdef BR_HAVE_FONTCONFIG
  TReader& reader = Reader();
  const std::lock_guard<std::mutex> guard(reader.Lock);
  if (reader.Started) return;
  reader.Started = true;
  // The library keeps the configuration it loads as the current one, which
  // is the one the toolkit's font database asks for later.
  reader.Worker = std::thread([] { FcInit(); });
#endif
}

void TFontConfiguration::Wait() {
  TReader& reader = Reader();
  const std::lock_guard<std::mutex> guard(reader.Lock);
  if (reader.Worker.joinable()) reader.Worker.join();
}
