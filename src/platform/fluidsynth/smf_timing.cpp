#include "platform/fluidsynth/smf_timing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vesko {

namespace {

constexpr int kDefaultTempo = 500000;

class Reader {
 public:
  Reader(const unsigned char* p, std::size_t size) : p_(p), size_(size) {}
  std::size_t left() const { return size_ - pos_; }
  bool byte(unsigned& out) {
    if (pos_ >= size_) return false;
    out = p_[pos_++];
    return true;
  }
  bool skip(std::size_t n) {
    if (n > left()) return false;
    pos_ += n;
    return true;
  }
  bool be(int bytes, std::uint32_t& out) {
    out = 0;
    for (int i = 0; i < bytes; ++i) {
      unsigned b;
      if (!byte(b)) return false;
      out = (out << 8) | b;
    }
    return true;
  }
  // A variable-length quantity of at most four bytes.
  bool varlen(std::uint32_t& out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      unsigned b;
      if (!byte(b)) return false;
      out = (out << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  }
  const unsigned char* here() const { return p_ + pos_; }

 private:
  const unsigned char* p_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

bool fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

std::nullopt_t refuse(std::string* error, const char* why) {
  fail(error, why);
  return std::nullopt;
}

bool readTrack(Reader r, SmfTiming& timing, std::string* error) {
  std::int64_t tick = 0;
  unsigned status = 0;
  while (r.left() > 0) {
    std::uint32_t delta;
    if (!r.varlen(delta)) return fail(error, "event time cut short");
    tick += delta;
    if (tick > std::numeric_limits<int>::max()) return fail(error, "track too long");
    unsigned b;
    if (!r.byte(b)) return fail(error, "event cut short");
    if (b == 0xFF) {
      unsigned type;
      std::uint32_t len;
      if (!r.byte(type) || !r.varlen(len) || len > r.left()) return fail(error, "meta event cut short");
      const unsigned char* data = r.here();
      r.skip(len);
      if (type == 0x51 && len == 3) {
        int tempo = (data[0] << 16) | (data[1] << 8) | data[2];
        if (tempo > 0) timing.tempos.emplace_back(tick, tempo);
      }
      timing.totalTicks = std::max(timing.totalTicks, tick);
      if (type == 0x2F) return true;  // end of track; anything after it is not played
      continue;
    }
    if (b == 0xF0 || b == 0xF7) {
      std::uint32_t len;
      if (!r.varlen(len) || !r.skip(len)) return fail(error, "system exclusive cut short");
      timing.totalTicks = std::max(timing.totalTicks, tick);
      continue;
    }
    if (b >= 0xF0) return fail(error, "system message inside a track");
    unsigned dataBytes;
    if (b & 0x80) {
      status = b;
      dataBytes = ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) ? 1 : 2;
    } else {
      if (status == 0) return fail(error, "data without a status byte");
      dataBytes = ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) ? 0 : 1;  // b was the first
    }
    for (unsigned i = 0; i < dataBytes; ++i) {
      unsigned d;
      if (!r.byte(d)) return fail(error, "channel message cut short");
      if (d & 0x80) return fail(error, "bad data byte");
    }
    timing.totalTicks = std::max(timing.totalTicks, tick);
  }
  return true;  // a track without its end event still plays
}

}  // namespace

double SmfTiming::msAt(std::int64_t tick) const {
  if (division <= 0 || tick <= 0) return 0;
  double us = 0;
  std::int64_t at = 0;
  int tempo = kDefaultTempo;
  for (const auto& [t, next] : tempos) {
    if (t >= tick) break;
    us += static_cast<double>(t - at) * tempo;
    at = t;
    tempo = next;
  }
  us += static_cast<double>(tick - at) * tempo;
  return us / division / 1000.0;
}

std::int64_t SmfTiming::tickAt(double ms) const {
  if (division <= 0 || ms <= 0) return 0;
  double us = ms * 1000.0 * division;  // in tick × tempo units
  std::int64_t at = 0;
  int tempo = kDefaultTempo;
  for (const auto& [t, next] : tempos) {
    double segment = static_cast<double>(t - at) * tempo;
    if (us < segment) break;
    us -= segment;
    at = t;
    tempo = next;
  }
  // A small allowance so that tickAt(msAt(t)) gives t back despite rounding.
  return at + static_cast<std::int64_t>(std::floor(us / tempo + 1e-6));
}

std::optional<SmfTiming> readSmfTiming(const std::vector<unsigned char>& bytes, std::string* error) {
  Reader r(bytes.data(), bytes.size());
  std::uint32_t id, len, format, ntrks, division;
  if (!r.be(4, id) || id != 0x4D546864 /* MThd */) return refuse(error, "not a MIDI file");
  if (!r.be(4, len) || len < 6 || !r.be(2, format) || !r.be(2, ntrks) || !r.be(2, division) || !r.skip(len - 6)) {
    return refuse(error, "header cut short");
  }
  if (format > 2) return refuse(error, "unknown file format");
  if (ntrks == 0) return refuse(error, "no tracks");
  if (division & 0x8000) return refuse(error, "time-code division is not supported");
  if (division == 0) return refuse(error, "division 0");

  SmfTiming timing;
  timing.format = static_cast<int>(format);
  timing.division = static_cast<int>(division);
  while (timing.tracks < static_cast<int>(ntrks)) {
    if (!r.be(4, id) || !r.be(4, len)) return refuse(error, "fewer tracks than the header says");
    if (len > r.left()) return refuse(error, "chunk cut short");
    Reader chunk(r.here(), len);
    r.skip(len);
    if (id != 0x4D54726B /* MTrk */) continue;  // unknown chunks are skipped, as players do
    if (!readTrack(chunk, timing, error)) return std::nullopt;
    ++timing.tracks;
  }
  std::stable_sort(timing.tempos.begin(), timing.tempos.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return timing;
}

}  // namespace vesko
