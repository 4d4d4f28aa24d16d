// The sample data file read a page at a time for the streaming render: byte
// ranges are copied out of a bounded number of pages held in memory, the
// least recently used page giving way to the next one read, so a render
// holds a few megabytes of the file however long the piece.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/file_handle.h"

namespace brisolt::render {

class SamplePages {
 public:
  static constexpr std::uint32_t kDefaultPageBytes = 16 * 1024;
  static constexpr std::uint32_t kDefaultMaxPages = 256;  // 4 MiB

  explicit SamplePages(std::uint32_t pageBytes = kDefaultPageBytes, std::uint32_t maxPages = kDefaultMaxPages);

  // Opens the file and learns its size; reads nothing yet. False when it
  // cannot be opened (see platform::File::openForReading).
  bool open(const std::string& path);
  std::uint64_t size() const { return size_; }

  // Copies bytes [offset, offset + count) of the file into `out`. False, with
  // `out` zero-filled where nothing could be read, when the range runs past
  // the end of the file or a read fails; failed() stays true from then on.
  bool copy(std::uint64_t offset, std::uint32_t count, std::uint8_t* out);
  bool failed() const { return failed_; }

  // Pages read from the file so far, and the most held at once.
  std::uint64_t pagesRead() const { return pagesRead_; }
  std::uint32_t pagesHeld() const { return static_cast<std::uint32_t>(slotPage_.size()); }

 private:
  static constexpr std::uint32_t kNoSlot = UINT32_MAX;

  // The slot that holds page `page`, read into the least recently used slot
  // when it is not held; kNoSlot when it cannot be read.
  std::uint32_t slotFor(std::uint64_t page);
  bool readPage(std::uint64_t page, std::uint32_t slot);

  std::uint32_t pageBytes_;
  std::uint32_t maxPages_;
  platform::File file_;
  std::uint64_t size_ = 0;
  bool failed_ = false;
  std::vector<std::uint32_t> slotOfPage_;  // per page of the file, kNoSlot when not held
  std::vector<std::uint64_t> slotPage_;    // per slot in use, the page it holds
  std::vector<std::uint64_t> slotUsed_;    // per slot in use, when it was last used
  std::vector<std::uint8_t> bytes_;        // the slots, one after another
  std::uint64_t clock_ = 0;
  std::uint64_t pagesRead_ = 0;
};

}  // namespace brisolt::render
