// The piano roll's layout and its SVG text.
#include "picture/piano_roll.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "picture/svg_text.h"

namespace brisolt::picture {
namespace {

// The bank's keys, 1 (C1) to 60 (B5).
constexpr int kLowestKey = 1;
constexpr int kHighestKey = 60;
constexpr int kKeyCount = kHighestKey - kLowestKey + 1;

constexpr double kPixelsPerSecond = 3.2;  // a phrase of 64 s is 204.8 px
constexpr double kKeyHeight = 4.0;
constexpr double kBarSeconds = 4.0;
constexpr double kLeft = 64.0;        // room for the key numbers
constexpr double kRight = 24.0;
constexpr double kHeadHeight = 78.0;  // title, settings and legend
constexpr double kRowHead = 26.0;     // the phrase numbers above a row
constexpr double kRowGap = 14.0;
constexpr double kBottom = 20.0;
constexpr double kPlotHeight = kKeyCount * kKeyHeight;

// The face's palette: dark walnut, cream text, an amber melody and a quiet
// slate blue for the other voices.
constexpr const char* kBackground = "#1c1512";
constexpr const char* kPlot = "#2a201b";
constexpr const char* kBlackKeyBand = "#221a16";
constexpr const char* kOctaveLine = "#4a3a30";
constexpr const char* kBarLine = "#3a2e27";
constexpr const char* kPhraseLine = "#c9a36a";
constexpr const char* kText = "#f1e4cc";
constexpr const char* kDimText = "#a8957b";
constexpr const char* kMelodyColour = "#ffb13b";
constexpr const char* kVoiceColour = "#7e9cc0";

constexpr const char* kKeyNames[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

bool isBlackKey(int key) {
  const int pitch = (key - 1) % 12;
  return pitch == 1 || pitch == 3 || pitch == 6 || pitch == 8 || pitch == 10;
}

std::string keyName(int key) { return std::string(kKeyNames[(key - 1) % 12]) + std::to_string((key - 1) / 12 + 1); }

// "m:ss" of a time on the mix.
std::string clockText(double seconds) {
  const long whole = std::lround(std::floor(seconds));
  const long minutes = whole / 60, rest = whole % 60;
  return std::to_string(minutes) + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
}

// Where the notes of the piece lie in rows of kPhrasesPerRow phrases. Row r
// starts kPhrasesPerRow phrases after row r - 1, so phrase and bar lines line
// up from row to row; a note belongs to the row of the phrase it is struck in.
class RowLayout {
 public:
  RowLayout(const PianoRollPiece& piece, double pieceSeconds)
      : piece_(piece),
        pieceSeconds_(pieceSeconds),
        rowSeconds_(kPhrasesPerRow * piece.phraseSeconds),
        rows_((std::max(piece.phraseCount, 1) + kPhrasesPerRow - 1) / kPhrasesPerRow) {}
  int rows() const { return rows_; }
  double rowStart(int row) const { return row * rowSeconds_; }
  // The time row `row` shows from its start: its phrases after the lead-in,
  // and in the last row the piece's tail up to its last sound.
  double shownSeconds(int row) const {
    const int phrasesInRow = std::clamp(piece_.phraseCount - row * kPhrasesPerRow, 1, kPhrasesPerRow);
    const double phrases = piece_.firstPhraseSeconds + phrasesInRow * piece_.phraseSeconds;
    return row + 1 == rows_ ? std::max(phrases, pieceSeconds_ - rowStart(row)) : phrases;
  }
  // The widest row's time.
  double shownSeconds() const { return std::max(shownSeconds(0), shownSeconds(rows_ - 1)); }
  int rowOf(double seconds) const {
    const double sincePhraseOne = seconds - piece_.firstPhraseSeconds;
    const int row = sincePhraseOne < 0 ? 0 : static_cast<int>(sincePhraseOne / rowSeconds_);
    return std::clamp(row, 0, rows_ - 1);
  }

 private:
  const PianoRollPiece& piece_;
  double pieceSeconds_;
  double rowSeconds_;
  int rows_;
};

double pieceSecondsOf(const render::Score& score) {
  std::uint64_t bytes = 0;
  for (const render::ScoreFile& file : score.files) bytes = std::max(bytes, file.dataBytes);
  for (const render::PlacedNote& note : score.notes) bytes = std::max(bytes, note.start + note.clipBytes());
  return render::bytesToSeconds(bytes);
}

struct Frame {
  double plotWidth = 0;
  double width = 0;
  double height = 0;
  double rowTop(int row) const { return kHeadHeight + row * (kRowHead + kPlotHeight + kRowGap) + kRowHead; }
};

double keyTop(int key) { return (kHighestKey - key) * kKeyHeight; }

// The drawn span of a note in its row, kept inside the plot.
struct Span {
  double x = 0;
  double width = 0;
};
Span spanOf(const render::PlacedNote& note, double rowStart, double plotWidth) {
  const double start = note.startSeconds() - rowStart;
  const double end = render::bytesToSeconds(note.start + note.clipBytes()) - rowStart;
  const double x = std::clamp(start * kPixelsPerSecond, 0.0, plotWidth);
  const double right = std::clamp(end * kPixelsPerSecond, x, plotWidth);
  return {x, std::max(right - x, 0.6)};
}

void writeHead(std::string& svg, const PianoRollPiece& piece, const Frame& frame) {
  svg += "<title>" + escapeXml(piece.title + " \xE2\x80\x94 " + piece.subtitle) + "</title>\n";
  svg += "<rect width=\"" + svgNumber(frame.width) + "\" height=\"" + svgNumber(frame.height) + "\" fill=\"" +
         kBackground + "\"/>\n";
  svg += "<text x=\"" + svgNumber(kLeft) + "\" y=\"30\" font-size=\"20\" font-weight=\"bold\" fill=\"" +
         std::string(kText) + "\">" + escapeXml(piece.title) + "</text>\n";
  svg += "<text x=\"" + svgNumber(kLeft) + "\" y=\"52\" font-size=\"13\" fill=\"" + std::string(kDimText) + "\">" +
         escapeXml(piece.subtitle) + "</text>\n";
  // The legend: what the colours and lines mean.
  const double y = 66;
  double x = kLeft;
  const auto swatch = [&](const char* colour, const char* label, double labelWidth) {
    svg += "<rect x=\"" + svgNumber(x) + "\" y=\"" + svgNumber(y - 7) + "\" width=\"18\" height=\"6\" fill=\"" +
           colour + "\"/>";
    svg += "<text x=\"" + svgNumber(x + 24) + "\" y=\"" + svgNumber(y) + "\" font-size=\"11\" fill=\"" +
           std::string(kDimText) + "\">" + label + "</text>\n";
    x += 24 + labelWidth;
  };
  swatch(kMelodyColour, "melody", 60);
  swatch(kVoiceColour, "other voices", 92);
  svg += "<rect x=\"" + svgNumber(x + 8) + "\" y=\"" + svgNumber(y - 10) + "\" width=\"1.5\" height=\"12\" fill=\"" +
         std::string(kPhraseLine) + "\"/>";
  svg += "<text x=\"" + svgNumber(x + 16) + "\" y=\"" + svgNumber(y) + "\" font-size=\"11\" fill=\"" +
         std::string(kDimText) + "\">phrase boundary; keys 1 (C1) to 60 (B5) upwards; time across, in rows of " +
         std::to_string(kPhrasesPerRow) + " phrases</text>\n";
}

// The patterns every row's background is filled with: the octave's black
// keys as darker bands with a line under each C, and a line at every bar.
void writePatterns(std::string& svg, const PianoRollPiece& piece) {
  const double octave = 12 * kKeyHeight;
  svg += "<defs>\n<pattern id=\"keys\" patternUnits=\"userSpaceOnUse\" width=\"8\" height=\"" + svgNumber(octave) +
         "\">";
  svg += "<rect width=\"8\" height=\"" + svgNumber(octave) + "\" fill=\"" + std::string(kPlot) + "\"/>";
  for (int key = 60; key > 48; --key) {  // one octave, B at the top
    if (isBlackKey(key)) {
      svg += "<rect y=\"" + svgNumber(keyTop(key)) + "\" width=\"8\" height=\"" + svgNumber(kKeyHeight) +
             "\" fill=\"" + std::string(kBlackKeyBand) + "\"/>";
    }
  }
  svg += "<rect y=\"" + svgNumber(octave - 0.6) + "\" width=\"8\" height=\"0.6\" fill=\"" + std::string(kOctaveLine) +
         "\"/></pattern>\n";
  const double bar = kBarSeconds * kPixelsPerSecond;
  svg += "<pattern id=\"bars\" patternUnits=\"userSpaceOnUse\" x=\"" +
         svgNumber(piece.firstPhraseSeconds * kPixelsPerSecond) + "\" width=\"" + svgNumber(bar) + "\" height=\"8\">";
  svg += "<rect width=\"0.6\" height=\"8\" fill=\"" + std::string(kBarLine) + "\"/></pattern>\n</defs>\n";
}

void writeRowFrame(std::string& svg, const PianoRollPiece& piece, const RowLayout& layout, const Frame& frame,
                   int row) {
  const double rowWidth = std::min(frame.plotWidth, layout.shownSeconds(row) * kPixelsPerSecond);
  svg += "<rect width=\"" + svgNumber(rowWidth) + "\" height=\"" + svgNumber(kPlotHeight) + "\" fill=\"url(#keys)\"/>";
  svg += "<rect width=\"" + svgNumber(rowWidth) + "\" height=\"" + svgNumber(kPlotHeight) + "\" fill=\"url(#bars)\"/>\n";
  // The numbers of the keys at every C, and the top key.
  for (int key = kLowestKey; key <= kHighestKey; key += 12) {
    svg += "<text x=\"-6\" y=\"" + svgNumber(keyTop(key) + kKeyHeight) + "\" font-size=\"10\" text-anchor=\"end\" fill=\"" +
           std::string(kDimText) + "\">" + std::to_string(key) + " " + keyName(key) + "</text>";
  }
  svg += "<text x=\"-6\" y=\"" + svgNumber(keyTop(kHighestKey) + kKeyHeight + 3) +
         "\" font-size=\"10\" text-anchor=\"end\" fill=\"" + std::string(kDimText) + "\">" +
         std::to_string(kHighestKey) + " " + keyName(kHighestKey) + "</text>\n";
  // Phrase boundaries, numbered above the row, with the time they start.
  for (int inRow = 0; inRow <= kPhrasesPerRow; ++inRow) {
    const int phrase = row * kPhrasesPerRow + inRow + 1;  // the phrase that starts here
    if (phrase > piece.phraseCount + 1) break;
    const double seconds = piece.firstPhraseSeconds + (phrase - 1) * piece.phraseSeconds;
    const double x = (seconds - layout.rowStart(row)) * kPixelsPerSecond;
    if (x > frame.plotWidth) break;
    svg += "<rect class=\"phrase-boundary\" x=\"" + svgNumber(x - 0.75) + "\" y=\"-4\" width=\"1.5\" height=\"" +
           svgNumber(kPlotHeight + 4) + "\" fill=\"" + std::string(kPhraseLine) + "\"/>";
    if (phrase <= piece.phraseCount && inRow < kPhrasesPerRow) {
      svg += "<text class=\"phrase-number\" x=\"" + svgNumber(x + 4) + "\" y=\"-8\" font-size=\"13\" font-weight=\"bold\" fill=\"" +
             std::string(kText) + "\">" + std::to_string(phrase) + "</text>";
      // The time after the number with a clear gap, so "1" and "0:00" never read as "10:00".
      svg += "<text x=\"" + svgNumber(x + 12 + 8.5 * static_cast<double>(std::to_string(phrase).size())) +
             "\" y=\"-8\" font-size=\"10\" fill=\"" + std::string(kDimText) + "\">" + clockText(seconds) + "</text>";
    }
    svg += "\n";
  }
}

}  // namespace

std::string pianoRollSvg(const render::Score& score, const PianoRollPiece& piece) {
  const RowLayout layout(piece, pieceSecondsOf(score));
  Frame frame;
  frame.plotWidth = std::ceil(layout.shownSeconds() * kPixelsPerSecond);
  frame.width = kLeft + frame.plotWidth + kRight;
  frame.height = frame.rowTop(layout.rows()) - kRowHead - kRowGap + kBottom;

  // The notes by row: the other voices' by voice (one path each), the
  // melody's one by one.
  std::vector<std::map<render::VoiceId, std::string>> voicePaths(static_cast<std::size_t>(layout.rows()));
  std::vector<std::string> melodyMarks(static_cast<std::size_t>(layout.rows()));
  for (const render::PlacedNote& note : score.notes) {
    const int key = std::clamp(note.key, kLowestKey, kHighestKey);
    const int row = layout.rowOf(note.startSeconds());
    const Span span = spanOf(note, layout.rowStart(row), frame.plotWidth);
    const auto index = static_cast<std::size_t>(row);
    if (note.voice.isMelody) {
      melodyMarks[index] += "<rect class=\"" + std::string(kMelodyClass) + "\" x=\"" + svgNumber(span.x) + "\" y=\"" +
                            svgNumber(keyTop(key)) + "\" width=\"" + svgNumber(span.width) + "\" height=\"" +
                            svgNumber(kKeyHeight) + "\"/>\n";
    } else {
      voicePaths[index][note.voice] += "M" + svgNumber(span.x) + " " + svgNumber(keyTop(key) + kKeyHeight / 2) + "h" +
                                       svgNumber(span.width);
    }
  }

  std::string svg;
  svg.reserve(score.notes.size() * 24 + 8192);
  svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + svgNumber(frame.width) + "\" height=\"" +
         svgNumber(frame.height) + "\" viewBox=\"0 0 " + svgNumber(frame.width) + " " + svgNumber(frame.height) +
         "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n";
  writeHead(svg, piece, frame);
  writePatterns(svg, piece);
  for (int row = 0; row < layout.rows(); ++row) {
    const auto index = static_cast<std::size_t>(row);
    svg += "<g class=\"row\" transform=\"translate(" + svgNumber(kLeft) + " " + svgNumber(frame.rowTop(row)) + ")\">\n";
    writeRowFrame(svg, piece, layout, frame, row);
    for (const auto& [voice, path] : voicePaths[index]) {
      svg += "<path class=\"" + std::string(kVoiceClass) + "\" data-voice=\"" + escapeXml(voice.name()) +
             "\" stroke=\"" + kVoiceColour + "\" stroke-opacity=\"0.8\" stroke-width=\"" +
             svgNumber(kKeyHeight - 0.8) + "\" d=\"" + path + "\"/>\n";
    }
    svg += "<g fill=\"" + std::string(kMelodyColour) + "\">\n" + melodyMarks[index] + "</g>\n</g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace brisolt::picture
