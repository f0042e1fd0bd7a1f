#include "engine/transcode/apewriter.h"

#include "engine/av/avptr.h"

extern "C" {
#include <libavutil/crc.h>
#include <libavutil/md5.h>
#include <libavutil/mem.h>
}

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Range coder: 32-bit code values, output a byte at a time with carry
// propagation ("help" counts 0xFF bytes that a later carry may still turn
// into 0x00).  The first byte it emits is a placeholder the reader skips.

constexpr uint32_t kTop = 1u << 31;
constexpr uint32_t kBottom = kTop >> 8;
constexpr int kShiftBits = 23;

class RangeEncoder {
public:
    explicit RangeEncoder(std::vector<uint8_t> &out) : m_out(out) {}

    // Narrows to [low, low + width) of total = 1 << shift.
    void encodeShift(uint32_t low, uint32_t width, int shift)
    {
        normalize();
        const uint32_t r = m_range >> shift;
        m_low += r * low;
        m_range = r * width;
    }
    // Narrows to [low, low + width) of the given total.
    void encodeFreq(uint32_t low, uint32_t width, uint32_t total)
    {
        normalize();
        const uint32_t r = m_range / total;
        m_low += r * low;
        m_range = r * width;
    }
    // Writes the rest: every byte the reader's 32-bit window still takes.
    void finish()
    {
        normalize();
        if (m_low & kTop)
            putPending(uint8_t(m_buffer + 1), 0x00);
        else
            putPending(uint8_t(m_buffer), 0xFF);
        m_out.push_back(uint8_t(m_low >> 23));
        m_out.push_back(uint8_t(m_low >> 15));
        m_out.push_back(uint8_t(m_low >> 7));
        m_out.push_back(uint8_t(m_low << 1));
    }

private:
    void putPending(uint8_t first, uint8_t fill)
    {
        m_out.push_back(first);
        for (; m_help; --m_help)
            m_out.push_back(fill);
    }
    void normalize()
    {
        while (m_range <= kBottom) {
            if (m_low < (0xFFu << kShiftBits)) {
                putPending(uint8_t(m_buffer), 0xFF);
                m_buffer = m_low >> kShiftBits;
            } else if (m_low & kTop) {
                putPending(uint8_t(m_buffer + 1), 0x00);
                m_buffer = (m_low >> kShiftBits) & 0xFF;
            } else {
                ++m_help;
            }
            m_low = (m_low << 8) & (kTop - 1);
            m_range <<= 8;
        }
    }

    std::vector<uint8_t> &m_out;
    uint32_t m_low = 0;
    uint32_t m_range = kTop;
    uint32_t m_buffer = 0;
    uint32_t m_help = 0;
};

// ---------------------------------------------------------------------------
// Residual coding: an adaptive pivot splits each value into an "overflow"
// coded with a fixed model and a uniform remainder.

constexpr std::array<uint16_t, 22> kCounts{0,     19578, 36160, 48417, 56323, 60899, 63265, 64435,
                                           64971, 65232, 65351, 65416, 65447, 65466, 65476, 65482,
                                           65485, 65488, 65490, 65491, 65492, 65493};
constexpr int kModelElements = 64;

struct Rice {
    uint32_t k = 10;
    uint32_t ksum = (1u << 10) * 16;
};

void updateRice(Rice &rice, uint32_t x)
{
    const uint32_t lim = rice.k ? (1u << (rice.k + 4)) : 0;
    rice.ksum += ((x + 1) / 2) - ((rice.ksum + 16) >> 5);
    if (rice.ksum < lim)
        --rice.k;
    else if (rice.ksum >= (1u << (rice.k + 5)) && rice.k < 24)
        ++rice.k;
}

void encodeResidual(RangeEncoder &rc, Rice &rice, int32_t value)
{
    // Positive n is stored as 2n - 1, zero and negative n as -2n.
    const uint32_t x = value > 0 ? uint32_t(value) * 2u - 1u : uint32_t(-int64_t(value)) * 2u;
    const uint32_t pivot = std::max<uint32_t>(rice.ksum >> 5, 1);
    const uint32_t overflow = x / pivot;
    const uint32_t base = x % pivot;

    if (overflow < kCounts.size() - 1) {
        rc.encodeShift(kCounts[overflow], kCounts[overflow + 1] - kCounts[overflow], 16);
    } else if (overflow < uint32_t(kModelElements - 1)) {
        rc.encodeShift(65535 - (kModelElements - 1) + overflow, 1, 16);
    } else {
        rc.encodeShift(65535, 1, 16); // escape: the overflow follows in 32 bits
        rc.encodeShift(overflow >> 16, 1, 16);
        rc.encodeShift(overflow & 0xFFFF, 1, 16);
    }
    if (pivot < 0x10000) {
        rc.encodeFreq(base, 1, pivot);
    } else {
        int bits = 0;
        while ((pivot >> bits) & ~0xFFFFu)
            ++bits;
        rc.encodeFreq(base >> bits, 1, (pivot >> bits) + 1);
        rc.encodeFreq(base & ((1u << bits) - 1), 1, 1u << bits);
    }
    updateRice(rice, x);
}

// ---------------------------------------------------------------------------
// Prediction: the stage-A and stage-B adaptive predictors of the format, with
// the history laid out exactly as a decoder keeps it (delay and sign slots
// share one sliding buffer).

constexpr int kHistorySize = 512;
constexpr int kWindow = 50;
constexpr int kYDelayA = 18 + 8 * 4;
constexpr int kYDelayB = 18 + 8 * 3;
constexpr int kXDelayA = 18 + 8 * 2;
constexpr int kXDelayB = 18 + 8;
constexpr int kYAdaptA = 18;
constexpr int kXAdaptA = 14;
constexpr int kYAdaptB = 10;
constexpr int kXAdaptB = 5;

// -1 for positive, 1 for negative, 0 for zero (on the low 32 bits).
inline int32_t invSign(int64_t v)
{
    const int32_t x = int32_t(v);
    return (x < 0) - (x > 0);
}

class Predictor {
public:
    Predictor()
    {
        for (auto &c : m_coeffsA)
            c = {360, 317, uint64_t(int64_t(-109)), 98};
    }

    // The residual that makes the stereo predictor of channel f (0 = Y,
    // 1 = X) give target; false when it does not fit 32 bits.
    bool stereo(int64_t target, int f, int32_t *residual)
    {
        const int dA = f ? kXDelayA : kYDelayA, dB = f ? kXDelayB : kYDelayB;
        const int aA = f ? kXAdaptA : kYAdaptA, aB = f ? kXAdaptB : kYAdaptB;
        int64_t *b = m_history.data() + m_pos;
        b[dA] = m_lastA[f];
        b[aA] = invSign(b[dA]);
        b[dA - 1] = int64_t(uint64_t(b[dA]) - uint64_t(b[dA - 1]));
        b[aA - 1] = invSign(b[dA - 1]);
        const int64_t predA =
            int64_t(uint64_t(b[dA]) * m_coeffsA[f][0] + uint64_t(b[dA - 1]) * m_coeffsA[f][1] +
                    uint64_t(b[dA - 2]) * m_coeffsA[f][2] + uint64_t(b[dA - 3]) * m_coeffsA[f][3]);

        b[dB] = m_filterA[f ^ 1] - (int64_t(uint64_t(m_filterB[f]) * 31u) >> 5);
        b[aB] = invSign(b[dB]);
        b[dB - 1] = int64_t(uint64_t(b[dB]) - uint64_t(b[dB - 1]));
        b[aB - 1] = invSign(b[dB - 1]);
        m_filterB[f] = m_filterA[f ^ 1];
        uint64_t sumB = 0;
        for (int k = 0; k < 5; ++k)
            sumB += uint64_t(b[dB - k]) * m_coeffsB[f][k];
        const int64_t predB = int64_t(sumB);

        const int64_t prediction = int64_t(uint64_t(predA) + uint64_t(predB >> 1)) >> 10;
        const int64_t smoothed = int64_t(uint64_t(m_filterA[f]) * 31u) >> 5;
        const int64_t lastA = target - smoothed;
        const int64_t value = lastA - prediction;
        if (value < INT32_MIN || value > INT32_MAX)
            return false;
        *residual = int32_t(value);
        m_lastA[f] = lastA;
        m_filterA[f] = lastA + smoothed;

        const int32_t sign = invSign(value);
        for (int k = 0; k < 4; ++k)
            m_coeffsA[f][k] += uint64_t(b[aA - k] * sign);
        for (int k = 0; k < 5; ++k)
            m_coeffsB[f][k] += uint64_t(b[aB - k] * sign);
        return true;
    }

    // The mono predictor (stage A only).
    bool mono(int64_t target, int32_t *residual)
    {
        int64_t *b = m_history.data() + m_pos;
        b[kYDelayA] = m_lastA[0];
        b[kYDelayA - 1] = int64_t(uint64_t(b[kYDelayA]) - uint64_t(b[kYDelayA - 1]));
        const int32_t predA = int32_t(
            uint64_t(b[kYDelayA]) * m_coeffsA[0][0] + uint64_t(b[kYDelayA - 1]) * m_coeffsA[0][1] +
            uint64_t(b[kYDelayA - 2]) * m_coeffsA[0][2] + uint64_t(b[kYDelayA - 3]) * m_coeffsA[0][3]);
        const int64_t smoothed = int64_t(uint64_t(m_filterA[0]) * 31u) >> 5;
        const int64_t current = target - smoothed;
        const int64_t value = current - (predA >> 10);
        if (current < INT32_MIN || current > INT32_MAX || value < INT32_MIN || value > INT32_MAX)
            return false;
        *residual = int32_t(value);
        b[kYAdaptA] = invSign(b[kYDelayA]);
        b[kYAdaptA - 1] = invSign(b[kYDelayA - 1]);
        const int32_t sign = invSign(value);
        for (int k = 0; k < 4; ++k)
            m_coeffsA[0][k] += uint64_t(b[kYAdaptA - k] * sign);
        m_lastA[0] = current;
        m_filterA[0] = current + smoothed;
        advance();
        return true;
    }

    void advance()
    {
        if (++m_pos == kHistorySize) {
            std::memmove(m_history.data(), m_history.data() + kHistorySize, kWindow * sizeof(int64_t));
            m_pos = 0;
        }
    }

private:
    std::array<int64_t, kHistorySize + kWindow> m_history{};
    int m_pos = 0;
    int64_t m_lastA[2] = {0, 0};
    int64_t m_filterA[2] = {0, 0};
    int64_t m_filterB[2] = {0, 0};
    std::array<uint64_t, 4> m_coeffsA[2];
    uint64_t m_coeffsB[2][5] = {};
};

// One frame: CRC word, then the range-coded residuals, padded to whole
// 32-bit words.  Returns the bytes in file order (each word little-endian).
bool encodeFrame(const int16_t *pcm, int blocks, int channels, std::vector<uint8_t> *out, std::string *error)
{
    static const AVCRC *table = av_crc_get_table(AV_CRC_32_IEEE_LE);
    const uint32_t crc = ~av_crc(table, UINT32_MAX, reinterpret_cast<const uint8_t *>(pcm),
                                 size_t(blocks) * size_t(channels) * 2);
    std::vector<uint8_t> &s = *out;
    s.clear();
    const uint32_t stored = crc >> 1; // top bit clear: no frame flags follow
    s.push_back(uint8_t(stored >> 24));
    s.push_back(uint8_t(stored >> 16));
    s.push_back(uint8_t(stored >> 8));
    s.push_back(uint8_t(stored));

    RangeEncoder rc(s);
    Predictor predictor;
    Rice riceX, riceY;
    for (int i = 0; i < blocks; ++i) {
        int32_t ry = 0, rx = 0;
        bool ok;
        if (channels == 1) {
            ok = predictor.mono(pcm[i], &ry);
            if (ok)
                encodeResidual(rc, riceY, ry);
        } else {
            const int32_t left = pcm[2 * i], right = pcm[2 * i + 1];
            const int32_t y = right - left;
            const int32_t x = left + y / 2;
            ok = predictor.stereo(y, 0, &ry) && predictor.stereo(x, 1, &rx);
            predictor.advance();
            if (ok) {
                encodeResidual(rc, riceY, ry);
                encodeResidual(rc, riceX, rx);
            }
        }
        if (!ok) {
            if (error)
                *error = "the sound cannot be predicted within 32 bits";
            return false;
        }
    }
    rc.finish();
    while (s.size() % 4)
        s.push_back(0);
    for (size_t w = 0; w < s.size(); w += 4) {
        std::swap(s[w], s[w + 3]);
        std::swap(s[w + 1], s[w + 2]);
    }
    return true;
}

struct FileCloser {
    void operator()(FILE *f) const
    {
        if (f)
            std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

struct Md5Deleter {
    void operator()(AVMD5 *m) const { av_free(m); }
};

void le16(std::vector<uint8_t> &v, uint32_t x)
{
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void le32(std::vector<uint8_t> &v, uint32_t x)
{
    le16(v, x & 0xFFFF);
    le16(v, x >> 16);
}

constexpr int kDescriptorSize = 52;
constexpr int kHeaderSize = 24;
constexpr uint16_t kFlagCreateWavHeader = 32; // no stored WAV header: the reader makes one

// What the file will hold, known before the first frame is encoded.
struct ApeLayout {
    int channels = 0;
    int sampleRate = 0;
    uint32_t totalFrames = 0;
    uint32_t finalBlocks = 0; // blocks in the last frame
    long firstFrame = 0;      // file offset of the first frame

    int blocksIn(uint32_t frame) const
    {
        return frame + 1 == totalFrames ? int(finalBlocks) : ApeWriter::kBlocksPerFrame;
    }
};

// The frame count and sizes for a raw PCM file of the given length.
bool planLayout(long bytes, int channels, int sampleRate, ApeLayout *layout, std::string *error)
{
    const int64_t totalBlocks = bytes > 0 ? int64_t(bytes) / (2 * channels) : 0;
    if (totalBlocks <= 0)
        return av::failWith(error, "no sound to write into the Monkey's Audio file");
    const int64_t frames = (totalBlocks + ApeWriter::kBlocksPerFrame - 1) / ApeWriter::kBlocksPerFrame;
    if (frames > (int64_t(1) << 30) / 4)
        return av::failWith(error, "the sound is too long for a Monkey's Audio file");
    layout->channels = channels;
    layout->sampleRate = sampleRate;
    layout->totalFrames = uint32_t(frames);
    layout->finalBlocks = uint32_t(totalBlocks - (frames - 1) * ApeWriter::kBlocksPerFrame);
    layout->firstFrame = kDescriptorSize + kHeaderSize + long(frames) * 4;
    return true;
}

// The header that follows the descriptor.
std::vector<uint8_t> headerBytes(const ApeLayout &layout)
{
    std::vector<uint8_t> header;
    le16(header, ApeWriter::kCompressionLevel);
    le16(header, kFlagCreateWavHeader);
    le32(header, ApeWriter::kBlocksPerFrame);
    le32(header, layout.finalBlocks);
    le32(header, layout.totalFrames);
    le16(header, 16);
    le16(header, uint32_t(layout.channels));
    le32(header, uint32_t(layout.sampleRate));
    return header;
}

// The raw sound read and the file written, with their names for messages.
struct ApeFiles {
    FILE *in;
    FILE *out;
    const std::string &pcmPath;
    const std::string &output;
};

// Encodes every frame of the sound into the output from layout.firstFrame
// on; the frames' offsets go to seekTable and their bytes into the checksum.
bool writeFrames(const ApeFiles &files, const ApeLayout &layout, AVMD5 *md5, std::vector<uint32_t> *seekTable,
                 const std::atomic<bool> *stop, std::string *error)
{
    std::vector<int16_t> pcm(size_t(ApeWriter::kBlocksPerFrame) * size_t(layout.channels));
    std::vector<uint8_t> frame;
    uint64_t position = uint64_t(layout.firstFrame);
    for (uint32_t f = 0; f < layout.totalFrames; ++f) {
        if (stop && stop->load())
            return av::failWith(error, "stopped");
        const int blocks = layout.blocksIn(f);
        const size_t samples = size_t(blocks) * size_t(layout.channels);
        if (std::fread(pcm.data(), 2, samples, files.in) != samples)
            return av::failWith(error, "cannot read the decoded sound [" + files.pcmPath + "]");
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
        for (size_t i = 0; i < samples; ++i)
            pcm[i] = int16_t(__builtin_bswap16(uint16_t(pcm[i])));
#endif
        if (!encodeFrame(pcm.data(), blocks, layout.channels, &frame, error))
            return false;
        if (position > UINT32_MAX)
            return av::failWith(error, "the Monkey's Audio file would exceed 4 GiB");
        seekTable->push_back(uint32_t(position));
        if (std::fwrite(frame.data(), 1, frame.size(), files.out) != frame.size())
            return av::failWith(error, "cannot write [" + files.output + "] (disk full?)");
        av_md5_update(md5, frame.data(), frame.size());
        position += frame.size();
    }
    return true;
}

// Descriptor, header and seek table: the start of the file, written last.
std::vector<uint8_t> headBytes(const ApeLayout &layout, const std::vector<uint32_t> &seekTable,
                               uint64_t audioBytes, AVMD5 *md5)
{
    const std::vector<uint8_t> header = headerBytes(layout);
    std::vector<uint8_t> table;
    for (uint32_t p : seekTable)
        le32(table, p);
    av_md5_update(md5, header.data(), header.size());
    av_md5_update(md5, table.data(), table.size());
    uint8_t digest[16];
    av_md5_final(md5, digest);

    std::vector<uint8_t> head = {'M', 'A', 'C', ' '};
    le16(head, ApeWriter::kFileVersion);
    le16(head, 0);
    le32(head, kDescriptorSize);
    le32(head, kHeaderSize);
    le32(head, layout.totalFrames * 4);
    le32(head, 0); // WAV header bytes
    le32(head, uint32_t(audioBytes));
    le32(head, uint32_t(audioBytes >> 32));
    le32(head, 0); // WAV trailer bytes
    head.insert(head.end(), digest, digest + 16);
    head.insert(head.end(), header.begin(), header.end());
    head.insert(head.end(), table.begin(), table.end());
    return head;
}

} // namespace

bool ApeWriter::encodeRawFile(const std::string &pcmPath, const std::string &output, int sampleRate,
                              int channels, const std::atomic<bool> *stop, std::string *error)
{
    if (channels != 1 && channels != 2)
        return av::failWith(error, "Monkey's Audio files take mono or stereo sound only");
    if (sampleRate <= 0)
        return av::failWith(error, "invalid sample rate for the Monkey's Audio file");
    FilePtr in(std::fopen(pcmPath.c_str(), "rb"));
    if (!in || std::fseek(in.get(), 0, SEEK_END) != 0)
        return av::failWith(error, "cannot read the decoded sound [" + pcmPath + "]");
    const long bytes = std::ftell(in.get());
    std::rewind(in.get());
    ApeLayout layout;
    if (!planLayout(bytes, channels, sampleRate, &layout, error))
        return false;

    FilePtr out(std::fopen(output.c_str(), "wb"));
    // Descriptor, header and seek table are written once the frames are known.
    if (!out || std::fseek(out.get(), layout.firstFrame, SEEK_SET) != 0)
        return av::failWith(error, "cannot write [" + output + "]");
    std::unique_ptr<AVMD5, Md5Deleter> md5(av_md5_alloc());
    if (!md5)
        return av::failWith(error, "out of memory");
    av_md5_init(md5.get());
    std::vector<uint32_t> seekTable;
    seekTable.reserve(layout.totalFrames);
    if (!writeFrames({in.get(), out.get(), pcmPath, output}, layout, md5.get(), &seekTable, stop, error))
        return false;
    const uint64_t audioBytes = uint64_t(std::ftell(out.get())) - uint64_t(layout.firstFrame);
    const std::vector<uint8_t> head = headBytes(layout, seekTable, audioBytes, md5.get());
    if (std::fseek(out.get(), 0, SEEK_SET) != 0 ||
        std::fwrite(head.data(), 1, head.size(), out.get()) != head.size() || std::fclose(out.release()) != 0)
        return av::failWith(error, "cannot write [" + output + "] (disk full?)");
    return true;
}
