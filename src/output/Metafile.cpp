// SPDX-License-Identifier: GPL-3.0-or-later
#include "Metafile.h"

#include "MetafileCanvas.h"
#include "Twips.h"

#include <QPainter>
#include <QPicture>
#include <QtEndian>
#include <csetjmp>
#include <cstdlib>

// libwmf's headers come last: they define short macros (U16, S32…).
#include <libwmf/api.h>

namespace Metafile {

namespace {

using Clock = std::chrono::steady_clock;

constexpr quint32 placeableKey = 0x9AC6CDD7;
constexpr int placeableHeaderSize = 22;
constexpr quint16 setWindowOrigin = 0x020B;
constexpr quint16 setWindowExtent = 0x020C;
// What the player may hold at once: a metafile's largest record and its objects take a few
// megabytes; only a metafile made to exhaust memory asks for more.
constexpr size_t largestPlayerMemory = size_t(256) << 20;
// The clock is read once every so many bytes the player reads.
constexpr unsigned readsBetweenClockReadings = 4096;

// The header's rectangle, in metafile units, and the units an inch.
struct Bounds {
    QRectF rect;
    int unitsPerInch = 0;
};

std::optional<Bounds> placeableBounds(const QByteArray& bytes)
{
    if (bytes.size() < placeableHeaderSize)
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint32>(data) != placeableKey)
        return std::nullopt;
    const qint16 left = qFromLittleEndian<qint16>(data + 6);
    const qint16 top = qFromLittleEndian<qint16>(data + 8);
    const qint16 right = qFromLittleEndian<qint16>(data + 10);
    const qint16 bottom = qFromLittleEndian<qint16>(data + 12);
    const quint16 unitsPerInch = qFromLittleEndian<quint16>(data + 14);
    if (unitsPerInch == 0 || left == right || top == bottom)
        return std::nullopt;
    return Bounds{QRectF(left, top, double(right) - left, double(bottom) - top), unitsPerInch};
}

// Where the first records setting the window start, found by walking the records' sizes.
MetafileCanvas::WindowRecords windowRecordsOf(const QByteArray& bytes)
{
    MetafileCanvas::WindowRecords found;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (bytes.size() < placeableHeaderSize + 4)
        return found;
    qint64 at = placeableHeaderSize +
                2 * qint64(qFromLittleEndian<quint16>(data + placeableHeaderSize + 2));
    while (at + 6 <= bytes.size()) {
        const quint32 words = qFromLittleEndian<quint32>(data + at);
        const quint16 function = qFromLittleEndian<quint16>(data + at + 4);
        if (function == setWindowOrigin && found.origin > at)
            found.origin = at;
        if (function == setWindowExtent && found.extent > at)
            found.extent = at;
        if (words < 3 || function == 0)
            break;
        at += 2 * qint64(words);
    }
    return found;
}

// One playing of a metafile by libwmf, bounded in time and memory. The player stops by itself
// only between records, through its status call-back; within a record it may loop over what
// the record claims. So past a bound, its input or its allocator jumps back out of it to
// `run`, and the session is then destroyed whole: libwmf keeps every block it allocates in a
// list of its own and frees them all. (Nothing between the jump and `run` but libwmf's C
// frames and these call-backs, which hold nothing to destroy.)
class Session {
public:
    Session(const QByteArray& bytes, Clock::time_point deadline)
        : bytes_(bytes), deadline_(deadline)
    {
        wmfAPI_Options options{};
        options.context = this;
        options.malloc = &Session::allocate;
        options.realloc = &Session::reallocate;
        options.free = &Session::release;
        options.function = [](wmfAPI*) {}; // the canvas fills in the drawing functions
        const unsigned long flags = WMF_OPT_ALLOC | WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL |
                                    WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_lite_create(&api_, flags, &options) != wmf_E_None) {
            api_ = nullptr;
            return;
        }
        wmf_bbuf_input(api_, &Session::read, &Session::seek, &Session::tell, this);
        wmf_status_function(api_, this, &Session::status);
    }
    ~Session()
    {
        if (api_)
            wmf_lite_destroy(api_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    wmfAPI* api() const { return api_; }
    const qint64& position() const { return position_; }

    // One step of the player (its scan, then its play); false when the metafile is broken or
    // a bound stopped the player.
    bool run(wmf_error_t (*step)(wmfAPI*, unsigned long, wmfD_Rect*))
    {
        wmfD_Rect box{};
        armed_ = true;
        if (setjmp(jump_) != 0) {
            armed_ = false;
            return false;
        }
        const wmf_error_t error = step(api_, 0, &box);
        armed_ = false;
        return error == wmf_E_None;
    }

private:
    struct alignas(std::max_align_t) Block {
        size_t size;
    };

    bool late() const { return Clock::now() > deadline_; }

    // Past a bound: back out of the player when it runs, else the call fails.
    void stop()
    {
        if (armed_)
            std::longjmp(jump_, 1);
    }

    bool mayAllocate(size_t more)
    {
        if (more > largestPlayerMemory - used_ || late()) {
            stop();
            return false;
        }
        return true;
    }

    static void* allocate(void* context, size_t size)
    {
        auto* session = static_cast<Session*>(context);
        if (!session->mayAllocate(size))
            return nullptr;
        auto* block = static_cast<Block*>(std::malloc(sizeof(Block) + size));
        if (!block)
            return nullptr;
        block->size = size;
        session->used_ += size;
        return block + 1;
    }

    static void* reallocate(void* context, void* memory, size_t size)
    {
        if (!memory)
            return allocate(context, size);
        auto* session = static_cast<Session*>(context);
        Block* old = static_cast<Block*>(memory) - 1;
        const size_t oldSize = old->size;
        if (size > oldSize && !session->mayAllocate(size - oldSize))
            return nullptr;
        auto* block = static_cast<Block*>(std::realloc(old, sizeof(Block) + size));
        if (!block)
            return nullptr;
        block->size = size;
        session->used_ = session->used_ - oldSize + size;
        return block + 1;
    }

    static void release(void* context, void* memory)
    {
        if (!memory)
            return;
        Block* block = static_cast<Block*>(memory) - 1;
        static_cast<Session*>(context)->used_ -= block->size;
        std::free(block);
    }

    static int read(void* context)
    {
        auto* session = static_cast<Session*>(context);
        if (++session->reads_ % readsBetweenClockReadings == 0 && session->late()) {
            session->stop();
            return EOF;
        }
        if (session->position_ < 0 || session->position_ >= session->bytes_.size())
            return EOF;
        return uchar(session->bytes_[session->position_++]);
    }

    // Beyond the end is allowed, as with a file: reading there gives EOF.
    static int seek(void* context, long position)
    {
        if (position < 0)
            return -1;
        static_cast<Session*>(context)->position_ = position;
        return 0;
    }

    static long tell(void* context) { return long(static_cast<Session*>(context)->position_); }

    // Called by the player after each record it plays: non-zero stops it.
    static int status(void* context, float) { return static_cast<Session*>(context)->late(); }

    const QByteArray& bytes_;
    const Clock::time_point deadline_;
    wmfAPI* api_ = nullptr;
    qint64 position_ = 0;
    unsigned reads_ = 0;
    size_t used_ = 0;
    bool armed_ = false;
    std::jmp_buf jump_;
};

} // namespace

std::optional<QSizeF> placeableSize(const QByteArray& bytes)
{
    const std::optional<Bounds> bounds = placeableBounds(bytes);
    if (!bounds)
        return std::nullopt;
    return QSizeF(std::abs(bounds->rect.width()), std::abs(bounds->rect.height())) *
           (Twips::perInch / bounds->unitsPerInch);
}

std::optional<Picture> read(const QByteArray& bytes, std::chrono::milliseconds time)
{
    const std::optional<Bounds> bounds = placeableBounds(bytes);
    const std::optional<QSizeF> natural = placeableSize(bytes);
    if (!bounds || !natural)
        return std::nullopt;
    Session session(bytes, Clock::now() + time);
    if (!session.api())
        return std::nullopt;

    // Recorded in twips, the picture's own size: the frame the window is mapped onto.
    auto drawing = std::make_shared<QPicture>();
    QPainter painter(drawing.get());
    bool played = false;
    {
        MetafileCanvas canvas(painter, bounds->rect, *natural, windowRecordsOf(bytes),
                              session.position());
        played = canvas.attach(session.api()) && session.run(&wmf_scan) && session.run(&wmf_play);
    }
    painter.end();
    if (!played)
        return std::nullopt;
    return Picture::fromDrawing(std::move(drawing), QRectF(QPointF(0, 0), *natural), *natural);
}

} // namespace Metafile
