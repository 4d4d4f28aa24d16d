// Copies out of the sample data file through a small cache of its pages.
#include "render/sample_pages.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace brisolt::render {

SamplePages::SamplePages(std::uint32_t pageBytes, std::uint32_t maxPages)
    : pageBytes_(std::max<std::uint32_t>(pageBytes, 1)), maxPages_(std::max<std::uint32_t>(maxPages, 1)) {}

bool SamplePages::open(const std::string& path) {
  file_ = platform::File::openForReading(path);
  if (!file_) return false;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    file_.close();
    return false;
  }
  size_ = size;
  failed_ = false;
  slotOfPage_.assign(static_cast<std::size_t>((size_ + pageBytes_ - 1) / pageBytes_), kNoSlot);
  slotPage_.clear();
  slotUsed_.clear();
  bytes_.clear();
  // Never moved once pages are in it; untouched, the reserve costs no memory.
  bytes_.reserve(std::min<std::size_t>(maxPages_, slotOfPage_.size()) * pageBytes_);
  return true;
}

bool SamplePages::copy(std::uint64_t offset, std::uint32_t count, std::uint8_t* out) {
  const std::uint64_t end = offset + count;
  while (offset < end) {
    const std::uint64_t page = offset / pageBytes_;
    const auto inside = static_cast<std::uint32_t>(offset - page * pageBytes_);
    const auto take = static_cast<std::uint32_t>(std::min<std::uint64_t>(pageBytes_ - inside, end - offset));
    const std::uint32_t slot = offset < size_ ? slotFor(page) : kNoSlot;
    const std::uint64_t pageStart = page * pageBytes_;
    const std::uint64_t held = slot == kNoSlot ? 0 : std::min<std::uint64_t>(pageBytes_, size_ - pageStart);
    if (inside + take > held) {
      failed_ = true;
      std::memset(out, 0, static_cast<std::size_t>(end - offset));
      return false;
    }
    std::memcpy(out, bytes_.data() + static_cast<std::size_t>(slot) * pageBytes_ + inside, take);
    out += take;
    offset += take;
  }
  return true;
}

std::uint32_t SamplePages::slotFor(std::uint64_t page) {
  std::uint32_t slot = slotOfPage_[static_cast<std::size_t>(page)];
  if (slot == kNoSlot) {
    if (slotPage_.size() < maxPages_) {
      slot = static_cast<std::uint32_t>(slotPage_.size());
      slotPage_.push_back(page);
      slotUsed_.push_back(0);
      bytes_.resize(slotPage_.size() * pageBytes_);
    } else {
      slot = static_cast<std::uint32_t>(std::min_element(slotUsed_.begin(), slotUsed_.end()) - slotUsed_.begin());
      slotOfPage_[static_cast<std::size_t>(slotPage_[slot])] = kNoSlot;
      slotPage_[slot] = page;
    }
    if (!readPage(page, slot)) return kNoSlot;
    slotOfPage_[static_cast<std::size_t>(page)] = slot;
  }
  slotUsed_[slot] = ++clock_;
  return slot;
}

bool SamplePages::readPage(std::uint64_t page, std::uint32_t slot) {
  const std::uint64_t start = page * pageBytes_;
  const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(pageBytes_, size_ - start));
  if (start > UINT32_MAX || !file_.seek(static_cast<std::uint32_t>(start))) return false;
  std::uint8_t* into = bytes_.data() + static_cast<std::size_t>(slot) * pageBytes_;
  std::uint32_t got = 0;
  while (got < want) {
    const std::uint32_t n = file_.read(into + got, want - got);
    if (n == 0) return false;
    got += n;
  }
  ++pagesRead_;
  return true;
}

}  // namespace brisolt::render
