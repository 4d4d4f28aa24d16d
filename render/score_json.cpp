// Writing and reading score.json with nlohmann-json.
#include "render/score_json.h"

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "audio/wave_format.h"

namespace brisolt::render {
namespace {

using nlohmann::json;

constexpr std::string_view kFormatName = "brisolt-score";
constexpr int kFormatVersion = 1;

VoiceId voiceFrom(const json& entry) {
  const std::string name = entry.at("voice").get<std::string>();
  const std::optional<VoiceId> voice = VoiceId::fromName(name);
  if (!voice) throw std::runtime_error("unknown voice \"" + name + "\" (expected \"melody\" or one letter)");
  return *voice;
}

int fileFrom(const json& entry) {
  const int file = entry.at("file").get<int>();
  if (file != 0 && file != 1) throw std::runtime_error("file " + std::to_string(file) + " is not 0 or 1");
  return file;
}

}  // namespace

std::string scoreFilePath(const std::string& outputPrefix) { return outputPrefix + std::string(kScoreFileSuffix); }

// Written as text, a note a line, rather than built as a document first: a
// 90-phrase piece has some 26,000 notes, whose document alone took 17 MB.
std::string scoreToJson(const Score& score) {
  const auto quoted = [](const VoiceId& voice) { return json(voice.name()).dump(); };
  std::string text;
  text.reserve(160 + score.files.size() * 64 + score.notes.size() * 128);
  text += "{\n \"format\": \"" + std::string(kFormatName) + "\",\n \"version\": " + std::to_string(kFormatVersion) +
          ",\n \"bytesPerSecond\": " + std::to_string(audio::kBytesPerSecond) +
          ",\n \"headerBytes\": " + std::to_string(audio::kHeaderSize) + ",\n \"files\": [";
  const char* separator = "\n  ";
  for (const ScoreFile& file : score.files) {
    text += separator;
    text += "{\"voice\": " + quoted(file.voice) + ", \"file\": " + std::to_string(file.file) +
            ", \"dataBytes\": " + std::to_string(file.dataBytes) + "}";
    separator = ",\n  ";
  }
  text += score.files.empty() ? "],\n \"notes\": [" : "\n ],\n \"notes\": [";
  separator = "\n  ";
  for (const PlacedNote& note : score.notes) {
    text += separator;
    text += "{\"voice\": " + quoted(note.voice) + ", \"file\": " + std::to_string(note.file) +
            ", \"key\": " + std::to_string(note.key) + ", \"layer\": " + std::to_string(note.layer) +
            ", \"step\": " + std::to_string(note.step) + ", \"start\": " + std::to_string(note.start) +
            ", \"length\": " + std::to_string(note.length) + ", \"cut\": " + (note.cut ? "true" : "false") + "}";
    separator = ",\n  ";
  }
  text += score.notes.empty() ? "]\n}\n" : "\n ]\n}\n";
  return text;
}

ScoreParse scoreFromJson(std::string_view text) {
  ScoreParse parse;
  try {
    const json document = json::parse(text);
    if (document.at("format").get<std::string>() != kFormatName) {
      throw std::runtime_error("the format is not \"" + std::string(kFormatName) + "\"");
    }
    if (const int version = document.at("version").get<int>(); version != kFormatVersion) {
      throw std::runtime_error("version " + std::to_string(version) + " is not " + std::to_string(kFormatVersion));
    }
    Score score;
    for (const json& entry : document.at("files")) {
      score.files.push_back({voiceFrom(entry), fileFrom(entry), entry.at("dataBytes").get<std::uint64_t>()});
    }
    for (const json& entry : document.at("notes")) {
      PlacedNote note;
      note.voice = voiceFrom(entry);
      note.file = fileFrom(entry);
      note.key = entry.at("key").get<int>();
      note.layer = entry.at("layer").get<int>();
      note.step = entry.at("step").get<int>();
      note.start = entry.at("start").get<std::uint64_t>();
      note.length = entry.at("length").get<std::uint32_t>();
      note.cut = entry.at("cut").get<bool>();
      score.notes.push_back(note);
    }
    parse.score = std::move(score);
  } catch (const std::exception& error) {
    parse.error = std::string("not a score: ") + error.what();
  }
  return parse;
}

bool writeScoreFile(const Score& score, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << scoreToJson(score);
  out.close();
  return static_cast<bool>(out);
}

ScoreParse readScoreFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, "cannot open the score " + path + "; check that the file exists and is readable"};
  std::ostringstream text;
  text << in.rdbuf();
  ScoreParse parse = scoreFromJson(text.str());
  if (!parse.score) parse.error = path + ": " + parse.error;
  return parse;
}

}  // namespace brisolt::render
