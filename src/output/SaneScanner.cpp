// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaneScanner.h"

#include <QLibrary>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

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
enum SaneValueType { TypeBool, TypeInt, TypeFixed, TypeString };
enum SaneUnit { UnitNone, UnitPixel, UnitBit, UnitMm };
enum SaneConstraint { ConstraintNone, ConstraintRange, ConstraintWordList, ConstraintStringList };
struct SaneRange {
    SaneInt min;
    SaneInt max;
    SaneInt quant;
};
struct SaneOptionDescriptor {
    const char* name;
    const char* title;
    const char* desc;
    int type;
    int unit;
    SaneInt size;
    SaneInt cap;
    int constraintType;
    union {
        const char* const* stringList;
        const SaneInt* wordList; // the count, then the words
        const SaneRange* range;
    } constraint;
};
constexpr SaneInt capSoftSelect = 1;
constexpr SaneInt capInactive = 32;
constexpr int actionGetValue = 0;
constexpr int actionSetValue = 1;
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
    const SaneOptionDescriptor* (*getOptionDescriptor)(SaneHandle, SaneInt) = nullptr;
    SaneStatus (*controlOption)(SaneHandle, SaneInt, int, void*, SaneInt*) = nullptr;

    bool loaded() const
    {
        return init && exit && getDevices && open && close && start && getParameters && read &&
               cancel && getOptionDescriptor && controlOption;
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
        functions.getOptionDescriptor = reinterpret_cast<decltype(functions.getOptionDescriptor)>(
            library.resolve("sane_get_option_descriptor"));
        functions.controlOption = reinterpret_cast<decltype(functions.controlOption)>(
            library.resolve("sane_control_option"));
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

    // Opens `device`, or the first scanner when it is empty, and says which it opened; null
    // when there is none or it cannot be opened.
    SaneHandle openDevice(const QString& device, QString& opened) const
    {
        opened = device;
        if (opened.isEmpty()) {
            const std::vector<Device> found = devices();
            if (found.empty())
                return nullptr;
            opened = found.front().name;
        }
        SaneHandle handle = nullptr;
        if (sane_->open(opened.toUtf8().constData(), &handle) != statusGood)
            return nullptr;
        return handle;
    }

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

// A number as SANE holds it in a word of the option's type.
double fromWord(const SaneOptionDescriptor& option, SaneInt word)
{
    return option.type == TypeFixed ? word / 65536.0 : double(word);
}

SaneInt toWord(const SaneOptionDescriptor& option, double value)
{
    return SaneInt(std::lround(option.type == TypeFixed ? value * 65536.0 : value));
}

// The options of an open scanner, found by the names SANE gives the usual ones. Options are
// looked up afresh each time, since setting one may change the others.
class DeviceOptions {
public:
    DeviceOptions(const Sane* sane, SaneHandle handle) : sane_(sane), handle_(handle) {}

    // The option called `name` when it is active, can be set and holds one number or a
    // string; null otherwise.
    const SaneOptionDescriptor* find(const char* name, SaneInt* index = nullptr) const
    {
        SaneInt count = 0;
        if (sane_->controlOption(handle_, 0, actionGetValue, &count, nullptr) != statusGood)
            return nullptr;
        for (SaneInt i = 1; i < count; ++i) {
            const SaneOptionDescriptor* option = sane_->getOptionDescriptor(handle_, i);
            if (!option || !option->name || std::strcmp(option->name, name) != 0)
                continue;
            const bool number = (option->type == TypeInt || option->type == TypeFixed) &&
                                option->size == SaneInt(sizeof(SaneInt));
            const bool string = option->type == TypeString && option->size > 0;
            if ((option->cap & capInactive) || !(option->cap & capSoftSelect) ||
                !(number || string))
                return nullptr;
            if (index)
                *index = i;
            return option;
        }
        return nullptr;
    }

    // The range of a number option; nothing when it has none.
    static std::optional<std::pair<double, double>> range(const SaneOptionDescriptor& option)
    {
        if (option.constraintType != ConstraintRange || !option.constraint.range)
            return std::nullopt;
        return std::pair(fromWord(option, option.constraint.range->min),
                         fromWord(option, option.constraint.range->max));
    }

    std::optional<double> number(const char* name) const
    {
        SaneInt index = 0;
        SaneInt word = 0;
        const SaneOptionDescriptor* option = find(name, &index);
        if (!option || option->type == TypeString ||
            sane_->controlOption(handle_, index, actionGetValue, &word, nullptr) != statusGood)
            return std::nullopt;
        return fromWord(*option, word);
    }

    QString string(const char* name) const
    {
        SaneInt index = 0;
        const SaneOptionDescriptor* option = find(name, &index);
        if (!option || option->type != TypeString)
            return {};
        QByteArray value(option->size + 1, '\0');
        if (sane_->controlOption(handle_, index, actionGetValue, value.data(), nullptr) !=
            statusGood)
            return {};
        return QString::fromUtf8(value.constData());
    }

    // Sets a number, kept within the option's range; the scanner may round it further.
    void setNumber(const char* name, double value) const
    {
        SaneInt index = 0;
        const SaneOptionDescriptor* option = find(name, &index);
        if (!option || option->type == TypeString)
            return;
        if (const auto limits = range(*option))
            value = std::clamp(value, limits->first, limits->second);
        SaneInt word = toWord(*option, value);
        sane_->controlOption(handle_, index, actionSetValue, &word, nullptr);
    }

    void setString(const char* name, const QString& value) const
    {
        SaneInt index = 0;
        const SaneOptionDescriptor* option = find(name, &index);
        QByteArray bytes = value.toUtf8();
        if (!option || option->type != TypeString || bytes.size() >= option->size)
            return;
        bytes.append(QByteArray(option->size - bytes.size(), '\0'));
        sane_->controlOption(handle_, index, actionSetValue, bytes.data(), nullptr);
    }

private:
    const Sane* sane_;
    SaneHandle handle_;
};

// The resolutions a scanner offers: its list, or the usual steps within its range (every dpi
// of a range would be too long a list to choose from), and always its own.
std::vector<int> offeredResolutions(const SaneOptionDescriptor& option, int own)
{
    std::vector<int> offered;
    if (option.constraintType == ConstraintWordList && option.constraint.wordList) {
        const SaneInt count = std::clamp(option.constraint.wordList[0], 0, 1000);
        for (SaneInt i = 1; i <= count; ++i)
            offered.push_back(int(std::lround(fromWord(option, option.constraint.wordList[i]))));
    } else if (const auto limits = DeviceOptions::range(option)) {
        for (int usual : {50, 75, 100, 150, 200, 300, 400, 600, 1200, 2400, 4800})
            if (usual >= limits->first && usual <= limits->second)
                offered.push_back(usual);
        if (offered.empty())
            offered.push_back(int(std::lround(limits->second)));
    }
    offered.push_back(own);
    std::sort(offered.begin(), offered.end());
    offered.erase(std::unique(offered.begin(), offered.end()), offered.end());
    offered.erase(offered.begin(), std::upper_bound(offered.begin(), offered.end(), 0));
    return offered;
}

// The glass, from the ranges of the area's corners when they are in millimetres.
void readGlass(const DeviceOptions& options, Capabilities& capabilities)
{
    std::pair<double, double> axes[4];
    const char* const names[4] = {"tl-x", "tl-y", "br-x", "br-y"};
    for (int i = 0; i < 4; ++i) {
        const SaneOptionDescriptor* corner = options.find(names[i]);
        const auto limits = corner && corner->type != TypeString && corner->unit == UnitMm
                                ? DeviceOptions::range(*corner)
                                : std::nullopt;
        if (!limits)
            return;
        axes[i] = *limits;
        if (i == 2)
            capabilities.areaStep =
                std::max(0.0, fromWord(*corner, corner->constraint.range->quant));
    }
    const QRectF glass(QPointF(axes[0].first, axes[1].first),
                       QPointF(axes[2].second, axes[3].second));
    capabilities.glass = glass.isValid() ? glass : QRectF();
}

// Applies what the user chose before the scan starts.
void apply(const DeviceOptions& options, const Settings& settings)
{
    // The mode first: another mode may offer other resolutions.
    if (!settings.mode.isEmpty())
        options.setString("mode", settings.mode);
    if (settings.resolution > 0)
        options.setNumber("resolution", settings.resolution);
    if (!settings.area.isEmpty()) {
        // The far corner out of the way first, so that no step puts the near one past it.
        constexpr double farthest = std::numeric_limits<double>::max();
        options.setNumber("br-x", farthest);
        options.setNumber("br-y", farthest);
        options.setNumber("tl-x", settings.area.left());
        options.setNumber("tl-y", settings.area.top());
        options.setNumber("br-x", settings.area.right());
        options.setNumber("br-y", settings.area.bottom());
    }
}

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

std::optional<Capabilities> capabilities(const QString& device)
{
    Session session;
    Capabilities found;
    const SaneHandle handle = session ? session.openDevice(device, found.device) : nullptr;
    if (!handle)
        return std::nullopt;
    const auto closing = qScopeGuard([&] { session->close(handle); });
    const DeviceOptions options(session.operator->(), handle);

    if (const SaneOptionDescriptor* resolution = options.find("resolution");
        resolution && resolution->type != TypeString) {
        found.resolution = int(std::lround(options.number("resolution").value_or(0)));
        found.resolutions = offeredResolutions(*resolution, found.resolution);
    }
    if (const SaneOptionDescriptor* mode = options.find("mode"); mode && mode->type == TypeString) {
        found.mode = options.string("mode");
        if (mode->constraintType == ConstraintStringList && mode->constraint.stringList)
            for (const char* const* name = mode->constraint.stringList; *name; ++name)
                found.modes.append(QString::fromUtf8(*name));
        if (!found.mode.isEmpty() && !found.modes.contains(found.mode))
            found.modes.append(found.mode);
    }
    readGlass(options, found);
    return found;
}

std::optional<QImage> scan(const QString& device, const std::function<bool(int)>& progress,
                           const Settings& settings)
{
    Session session;
    QString name;
    const SaneHandle handle = session ? session.openDevice(device, name) : nullptr;
    if (!handle)
        return std::nullopt;
    const auto closing = qScopeGuard([&] { session->close(handle); });
    apply(DeviceOptions(session.operator->(), handle), settings);

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
