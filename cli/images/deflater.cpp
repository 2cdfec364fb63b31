#include "images/deflater.h"

#include <memory>
#include <new>

#ifdef QRBATCH_WITH_LIBDEFLATE
#include <libdeflate.h>
#else
#include <zlib.h>
#endif

namespace qrcli {

#ifdef QRBATCH_WITH_LIBDEFLATE

namespace {

struct FreeCompressor {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// A compressor holds its level: one per level a thread has used (the callers use one or two).
libdeflate_compressor* CompressorFor(int level) {
    thread_local std::unique_ptr<libdeflate_compressor, FreeCompressor> kept[13];
    auto& slot = kept[level < 0 ? 0 : level > 12 ? 12 : level];
    if (!slot) slot.reset(libdeflate_alloc_compressor(static_cast<int>(&slot - kept)));
    return slot.get();
}

}  // namespace

bool AppendDeflated(std::span<const uint8_t> data, int level, std::vector<uint8_t>& out) {
    libdeflate_compressor* compressor = CompressorFor(level);
    if (compressor == nullptr) return false;
    const size_t start = out.size();
    try {
        out.resize(start + libdeflate_zlib_compress_bound(compressor, data.size()));
    } catch (const std::bad_alloc&) {
        return false;
    }
    const size_t size = libdeflate_zlib_compress(compressor, data.data(), data.size(),
                                                 out.data() + start, out.size() - start);
    out.resize(start + size);
    return size != 0;  // the bound always fits
}

uint32_t Crc32(uint32_t crc, std::span<const uint8_t> data) {
    return libdeflate_crc32(crc, data.data(), data.size());
}

uint32_t Adler32(std::span<const uint8_t> data) {
    return libdeflate_adler32(1, data.data(), data.size());
}

#else

namespace {

// A stream reset between uses instead of set up anew: deflateInit allocates and clears
// hundreds of kilobytes.
class KeptStream {
  public:
    explicit KeptStream(int level) { ready_ = deflateInit(&stream_, level) == Z_OK; }
    ~KeptStream() {
        if (ready_) deflateEnd(&stream_);
    }
    z_stream* Get() {
        if (ready_ && deflateReset(&stream_) != Z_OK) return nullptr;
        return ready_ ? &stream_ : nullptr;
    }

  private:
    z_stream stream_{};
    bool ready_ = false;
};

z_stream* StreamFor(int level) {
    level = level < 0 ? 0 : level > 9 ? 9 : level;
    thread_local std::unique_ptr<KeptStream> kept[10];
    auto& slot = kept[level];
    if (!slot) slot = std::make_unique<KeptStream>(level);
    return slot->Get();
}

}  // namespace

bool AppendDeflated(std::span<const uint8_t> data, int level, std::vector<uint8_t>& out) {
    const size_t start = out.size();
    try {
        z_stream* stream = StreamFor(level);
        if (stream == nullptr) return false;
        out.resize(start + deflateBound(stream, static_cast<uLong>(data.size())));
        stream->next_in = const_cast<Bytef*>(data.data());
        stream->avail_in = static_cast<uInt>(data.size());
        stream->next_out = out.data() + start;
        stream->avail_out = static_cast<uInt>(out.size() - start);
        const bool done = deflate(stream, Z_FINISH) == Z_STREAM_END;
        out.resize(done ? start + stream->total_out : start);
        return done;
    } catch (const std::bad_alloc&) {
        out.resize(start);
        return false;
    }
}

uint32_t Crc32(uint32_t crc, std::span<const uint8_t> data) {
    return static_cast<uint32_t>(
        crc32(static_cast<uLong>(crc), data.data(), static_cast<uInt>(data.size())));
}

uint32_t Adler32(std::span<const uint8_t> data) {
    return static_cast<uint32_t>(
        adler32(adler32(0, nullptr, 0), data.data(), static_cast<uInt>(data.size())));
}

#endif

}  // namespace qrcli
