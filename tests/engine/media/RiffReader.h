// A minimal RIFF parser for checking written AVI files: every chunk with
// its offset and size, lists with their children, and a check that all
// sizes nest inside their parents and the file. A file may hold several
// RIFF chunks in a row (the parts of an OpenDML file).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace testing_support {

struct RiffChunk {
  std::string id;    // "RIFF", "LIST", "avih", "00db"...
  std::string type;  // list type for RIFF and LIST chunks
  std::size_t offset = 0;  // of the chunk header
  std::uint32_t size = 0;  // as stored
  std::vector<RiffChunk> children;

  const std::uint8_t* Data(const std::vector<std::uint8_t>& file) const {
    return file.data() + offset + 8;
  }
  // First child with this id, or list type for lists.
  const RiffChunk* Find(const std::string& name) const {
    for (const RiffChunk& c : children) {
      if (c.id == name || (!c.type.empty() && c.type == name)) return &c;
    }
    return nullptr;
  }
  std::vector<const RiffChunk*> All(const std::string& name) const {
    std::vector<const RiffChunk*> found;
    for (const RiffChunk& c : children) {
      if (c.id == name || c.type == name) found.push_back(&c);
    }
    return found;
  }
};

class RiffReader {
 public:
  explicit RiffReader(const std::vector<std::uint8_t>& file) : file_(file) {}

  // Parses a file of exactly one RIFF chunk; false with a reason on any
  // inconsistency.
  bool Parse(RiffChunk& root, std::string& error) {
    std::vector<RiffChunk> parts;
    if (!ParseParts(parts, error)) return false;
    if (parts.size() != 1) return Fail(error, "bytes after the RIFF chunk");
    root = std::move(parts.front());
    return true;
  }

  // Parses a file of one or more RIFF chunks that fill it exactly.
  bool ParseParts(std::vector<RiffChunk>& parts, std::string& error) {
    for (std::size_t at = 0; at < file_.size();) {
      RiffChunk part;
      std::size_t end = 0;
      if (!ParseChunk(at, file_.size(), part, error, end)) return false;
      if (part.id != "RIFF") return Fail(error, "no RIFF header at " + std::to_string(at));
      parts.push_back(std::move(part));
      at = end;
    }
    return parts.empty() ? Fail(error, "empty file") : true;
  }

 private:
  static bool Fail(std::string& error, const std::string& why) {
    error = why;
    return false;
  }
  std::string FourCc(std::size_t at) const {
    return std::string(reinterpret_cast<const char*>(file_.data() + at), 4);
  }
  std::uint32_t U32(std::size_t at) const {
    std::uint32_t v;
    std::memcpy(&v, file_.data() + at, 4);
    return v;
  }

  bool ParseChunk(std::size_t at, std::size_t limit, RiffChunk& chunk, std::string& error,
                  std::size_t& end) {
    if (at + 8 > limit) return Fail(error, "chunk header past its parent");
    chunk.id = FourCc(at);
    chunk.offset = at;
    chunk.size = U32(at + 4);
    const std::size_t dataEnd = at + 8 + chunk.size;
    if (dataEnd > limit) return Fail(error, chunk.id + " runs past its parent");
    end = dataEnd + (chunk.size & 1);
    if (chunk.id != "RIFF" && chunk.id != "LIST") return true;
    if (chunk.size < 4) return Fail(error, "list without a type");
    chunk.type = FourCc(at + 8);
    for (std::size_t child = at + 12; child < dataEnd;) {
      RiffChunk c;
      std::size_t next = 0;
      if (!ParseChunk(child, dataEnd, c, error, next)) return false;
      chunk.children.push_back(std::move(c));
      child = next;
    }
    return true;
  }

  const std::vector<std::uint8_t>& file_;
};

}  // namespace testing_support
