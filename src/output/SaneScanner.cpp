#include "SaneScanner.h"

#include <QLibrary>
#include <QScopeGuard>
#include <algorithm>
#include <cstring>

namespace SaneScanner {

namespace {

// The part of SANE's C interface the program uses, as its header declares it.
using SaneStatus = int;
using SaneInt = int;
using SaneHandle = void*;
struct SaneDevice {
    const char* name;
    const char* vendor;
    const char* model;
    const char* type;
};
enum SaneFrame { FrameGray, FrameRgb, FrameRed, FrameGreen, FrameBlue };
struct SaneParameters {
    int format;
    SaneInt lastFrame;
    SaneInt bytesPerLine;
    SaneInt pixelsPerLine;
    SaneInt lines;
    SaneInt depth;
};
constexpr SaneStatus statusGood = 0;
constexpr SaneStatus statusEof = 5;
// A page is at most a few hundred megabytes; a scanner that sends more is not heard.
constexpr qsizetype largestScan = 512 * 1024 * 1024;

struct Sane {
    SaneStatus (*init)(SaneInt*, void*) = nullptr;
    void (*exit)() = nullptr;
    SaneStatus (*getDevices)(const SaneDevice***, SaneInt) = nullptr;
    SaneStatus (*open)(const char*, SaneHandle*) = nullptr;
    void (*close)(SaneHandle) = nullptr;
    SaneStatus (*start)(SaneHandle) = nullptr;
    SaneStatus (*getParameters)(SaneHandle, SaneParameters*) = nullptr;
    SaneStatus (*read)(SaneHandle, unsigned char*, SaneInt, SaneInt*) = nullptr;
    void (*cancel)(SaneHandle) = nullptr;

    bool loaded() const
    {
        return init && exit && getDevices && open && close && start && getParameters && read &&
               cancel;
    }
};

// SANE, loaded once; null when the library is missing.
const Sane* sane()
{
    static const Sane* loaded = []() -> const Sane* {
        static QLibrary library(QStringLiteral("sane"), 1);
        if (!library.load())
            return nullptr;
        static Sane functions;
        functions.init = reinterpret_cast<decltype(functions.init)>(library.resolve("sane_init"));
        functions.exit = reinterpret_cast<decltype(functions.exit)>(library.resolve("sane_exit"));
        functions.getDevices =
            reinterpret_cast<decltype(functions.getDevices)>(library.resolve("sane_get_devices"));
        functions.open = reinterpret_cast<decltype(functions.open)>(library.resolve("sane_open"));
        functions.close =
            reinterpret_cast<decltype(functions.close)>(library.resolve("sane_close"));
        functions.start =
            reinterpret_cast<decltype(functions.start)>(library.resolve("sane_start"));
        functions.getParameters = reinterpret_cast<decltype(functions.getParameters)>(
            library.resolve("sane_get_parameters"));
        functions.read = reinterpret_cast<decltype(functions.read)>(library.resolve("sane_read"));
        functions.cancel =
            reinterpret_cast<decltype(functions.cancel)>(library.resolve("sane_cancel"));
        return functions.loaded() ? &functions : nullptr;
    }();
    return loaded;
}

// SANE between sane_init and sane_exit, for one command.
class Session {
public:
    Session() : sane_(sane()) { open_ = sane_ && sane_->init(nullptr, nullptr) == statusGood; }
    ~Session()
    {
        if (open_)
            sane_->exit();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const Sane* operator->() const { return sane_; }
    explicit operator bool() const { return open_; }

    std::vector<Device> devices() const
    {
        std::vector<Device> found;
        const SaneDevice** list = nullptr;
        if (sane_->getDevices(&list, 0) != statusGood || !list)
            return found;
        for (; *list; ++list) {
            const SaneDevice& device = **list;
            found.push_back(
                {QString::fromUtf8(device.name),
                 QStringLiteral("%1 %2 (%3)")
                     .arg(QString::fromUtf8(device.vendor), QString::fromUtf8(device.model),
                          QString::fromUtf8(device.type))});
        }
        return found;
    }

private:
    const Sane* sane_;
    bool open_ = false;
};

// One frame's samples as 8-bit values: 16-bit samples keep their high byte, 1-bit ones are
// black when set.
QByteArray samples8(const QByteArray& data, const SaneParameters& parameters, int channels)
{
    const int width = parameters.pixelsPerLine * channels;
    const int lines = int(data.size() / std::max(1, parameters.bytesPerLine));
    QByteArray out(qsizetype(width) * lines, 0);
    for (int y = 0; y < lines; ++y) {
        const auto* line = reinterpret_cast<const unsigned char*>(data.constData()) +
                           qsizetype(y) * parameters.bytesPerLine;
        for (int x = 0; x < width; ++x) {
            unsigned char value = 0;
            if (parameters.depth == 16)
                value = line[2 * x + (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? 1 : 0)];
            else if (parameters.depth == 1)
                value = (line[x / 8] & (0x80 >> (x % 8))) ? 0 : 255;
            else
                value = line[x];
            out[qsizetype(y) * width + x] = char(value);
        }
    }
    return out;
}

} // namespace

std::vector<Device> devices()
{
    Session session;
    return session ? session.devices() : std::vector<Device>{};
}

std::optional<QImage> scan(const QString& device, const std::function<bool(int)>& progress)
{
    Session session;
    if (!session)
        return std::nullopt;
    QString name = device;
    if (name.isEmpty()) {
        const std::vector<Device> found = session.devices();
        if (found.empty())
            return std::nullopt;
        name = found.front().name;
    }
    SaneHandle handle = nullptr;
    if (session->open(name.toUtf8().constData(), &handle) != statusGood || !handle)
        return std::nullopt;
    const auto closing = qScopeGuard([&] { session->close(handle); });

    QImage page;
    QByteArray red, green, blue;
    bool last = false;
    while (!last) {
        SaneParameters parameters{};
        if (session->start(handle) != statusGood ||
            session->getParameters(handle, &parameters) != statusGood ||
            parameters.bytesPerLine <= 0 || parameters.pixelsPerLine <= 0)
            return std::nullopt;
        last = parameters.lastFrame != 0;
        const qsizetype expected =
            parameters.lines > 0 ? qsizetype(parameters.bytesPerLine) * parameters.lines : 0;
        QByteArray data;
        data.reserve(std::min(expected, largestScan));
        unsigned char buffer[65536];
        for (;;) {
            SaneInt length = 0;
            const SaneStatus status = session->read(handle, buffer, sizeof buffer, &length);
            if (status == statusEof)
                break;
            if (status != statusGood || data.size() + length > largestScan) {
                session->cancel(handle);
                return std::nullopt;
            }
            data.append(reinterpret_cast<const char*>(buffer), length);
            if (progress && expected > 0 &&
                !progress(int(std::min<qsizetype>(100, data.size() * 100 / expected)))) {
                session->cancel(handle);
                return std::nullopt;
            }
        }
        const int lines = int(data.size() / parameters.bytesPerLine);
        const int width = parameters.pixelsPerLine;
        switch (parameters.format) {
        case FrameGray: {
            const QByteArray gray = samples8(data, parameters, 1);
            page = QImage(width, lines, QImage::Format_Grayscale8);
            for (int y = 0; y < lines; ++y)
                std::memcpy(page.scanLine(y), gray.constData() + qsizetype(y) * width, width);
            break;
        }
        case FrameRgb: {
            const QByteArray rgb = samples8(data, parameters, 3);
            page = QImage(width, lines, QImage::Format_RGB888);
            for (int y = 0; y < lines; ++y)
                std::memcpy(page.scanLine(y), rgb.constData() + qsizetype(y) * width * 3,
                            std::size_t(width) * 3);
            break;
        }
        case FrameRed:
            red = samples8(data, parameters, 1);
            break;
        case FrameGreen:
            green = samples8(data, parameters, 1);
            break;
        case FrameBlue:
            blue = samples8(data, parameters, 1);
            break;
        default:
            session->cancel(handle);
            return std::nullopt;
        }
        if (last && page.isNull()) {
            // Three passes, one colour each.
            const qsizetype pixels = std::min({red.size(), green.size(), blue.size()});
            if (pixels == 0 || pixels % width != 0)
                return std::nullopt;
            page = QImage(width, int(pixels / width), QImage::Format_RGB888);
            for (qsizetype i = 0; i < pixels; ++i) {
                uchar* pixel = page.scanLine(int(i / width)) + (i % width) * 3;
                pixel[0] = uchar(red[i]);
                pixel[1] = uchar(green[i]);
                pixel[2] = uchar(blue[i]);
            }
        }
    }
    session->cancel(handle);
    if (page.isNull())
        return std::nullopt;
    return page.convertToFormat(QImage::Format_RGB32);
}

} // namespace SaneScanner
