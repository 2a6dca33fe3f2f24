// How a source error reads on one line.
#include "tools/midi/playitem.h"

namespace px7000host {

std::string SourceError::describe() const {
  if (line > 0) return file + ":" + std::to_string(line) + ": " + message;
  return file + ": byte " + std::to_string(offset) + ": " + message;
}

}  // namespace px7000host
