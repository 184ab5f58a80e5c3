// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ktv4sim/VirtualRadio.h"

#include "files/CloneFile.h"
#include "link/BlockCommands.h"
#include "model/ChannelNaming.h"
#include "model/RecordText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace ktv4::sim {

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");
const QByteArray kNotOk = QByteArrayLiteral("NG\r\n");
const QByteArray kCrLf = QByteArrayLiteral("\r\n");

// Every record address the program knows, in record order.
QList<int> recordAddresses()
{
    QList<int> addresses{kSettings1Address, kSettings2Address, kVfoAAddress, kVfoBAddress};
    for (int n = 0; n < kChannelCount; ++n)
        addresses.append(channelAddress(n));
    return addresses;
}

bool isHex(const QByteArray &text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

// The record a radio that lost a bit stores: the lowest bit of byte 16 flipped, which puts a
// channel's or a VFO's frequency 1 Hz off.
QByteArray corrupted(const QByteArray &data)
{
    QByteArray text = data;
    const int byte = QByteArray::fromHex(text.mid(32, 2)).at(0) ^ 0x01;
    text.replace(32, 2, QByteArray(1, char(byte)).toHex().toUpper());
    return text;
}

// What a command line is, for the fault targets.
CommandTarget targetOf(const QByteArray &command)
{
    if (command == "OV~WHO")
        return {CommandTarget::Identify, -1};
    if (command == "KTSV4")
        return {CommandTarget::WriteEnable, -1};
    if (command == "OV~E")
        return {CommandTarget::End, -1};
    if (command.startsWith("OV~F") && command.size() >= 9 && isHex(command.mid(4, 4)))
        return CommandTarget::block(command.mid(4, 4).toInt(nullptr, 16));
    return {};
}

QByteArray channelRecord(int hz, int mode, const char *name, int splitHz = 0, bool skip = false, int gain = 0,
                         int agc = 1, int power = 0, int filter = 0, int tone = 0, int nb = 0)
{
    RecordBytes b{};
    b[0] = skip ? 0x88 : 0x80;
    b[1] = mode;
    b[2] = gain;
    b[3] = agc;
    b[4] = power;
    b[6] = filter;
    b[7] = tone;
    b[9] = nb;
    writeInt32(b, 16, hz);
    for (int i = 0; name[i] && i < 8; ++i)
        b[20 + i] = nameCodeFor(QLatin1Char(name[i]));
    writeInt32(b, 28, splitHz != 0 ? splitHz : hz); // a channel without a split transmits where it receives
    return recordText(b).toLatin1();
}

int modelIndexOfCode(const QByteArray &code)
{
    for (int i = 0; i < kModelOptionCount; ++i) {
        if (modelCode(i) == code)
            return i;
    }
    return kStartupModelOption;
}

} // namespace

CommandTarget CommandTarget::parse(const QString &text, bool *ok)
{
    const QString t = text.trimmed().toLower();
    CommandTarget target;
    bool valid = true;
    if (t == QLatin1String("who") || t == QLatin1String("identify"))
        target.kind = Identify;
    else if (t == QLatin1String("enable") || t == QLatin1String("ktsv4"))
        target.kind = WriteEnable;
    else if (t == QLatin1String("end"))
        target.kind = End;
    else {
        const int address = (t.startsWith(QLatin1String("0x")) ? t.mid(2) : t).toInt(&valid, 16);
        valid = valid && address >= 0 && address <= 0xFFFF;
        if (valid)
            target = block(address);
    }
    if (ok)
        *ok = valid;
    return target;
}

VirtualRadio::VirtualRadio(RadioSetup setup)
{
    setSetup(setup);
    loadImage(sampleImage());
}

void VirtualRadio::setSetup(const RadioSetup &setup)
{
    m_setup = setup;
    m_silent = false; // a radio told to stop answering answers again, unless told otherwise
    // 8 data bits, no parity, one stop bit: ten bit times per character.
    m_charTime = std::chrono::nanoseconds(m_setup.baud > 0 ? 10'000'000'000LL / m_setup.baud : 0);
}

VirtualRadio::~VirtualRadio()
{
    stop();
    closeDevice();
    if (m_wakeRead >= 0)
        ::close(m_wakeRead);
    if (m_wakeWrite >= 0)
        ::close(m_wakeWrite);
}

void VirtualRadio::loadImage(const RadioImage &source)
{
    const ImageRecords records = imageRecords(source);
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < kRecordCount; ++i)
        m_memory.insert(recordAddress(i), recordHex(records[i]));
}

void VirtualRadio::setRecord(int address, const QByteArray &text)
{
    std::lock_guard lock(m_mutex);
    m_memory.insert(address, text);
}

QByteArray VirtualRadio::record(int address) const
{
    std::lock_guard lock(m_mutex);
    return m_memory.value(address, QByteArray(kRecordChars, 'F'));
}

RadioImage VirtualRadio::image() const
{
    RadioImage image = startupImage(modelIndexOfCode(m_setup.modelCode));
    const auto bytes = [this](int address) { return parseRecordText(QString::fromLatin1(record(address))); };
    // A record that does not decode leaves the start-up value.
    putSettingsRecords(image, bytes(kSettings1Address), bytes(kSettings2Address));
    for (int v = 0; v < kVfoCount; ++v)
        putVfoRecord(image, v, bytes(v == 0 ? kVfoAAddress : kVfoBAddress));
    for (int n = 0; n < kChannelCount; ++n)
        putChannelRecord(image, n, bytes(channelAddress(n)));
    return image;
}

QByteArray VirtualRadio::cloneFileBytes() const
{
    const int model = modelIndexOfCode(m_setup.modelCode);
    QByteArray bytes =
        cloneHeaders(headerRowForModel(model), m_setup.variantCode == "AA" ? 1 : 0).toLatin1() + kCrLf;
    for (const int address : recordAddresses())
        bytes += record(address) + kCrLf;
    bytes += cloneEndLine().toLatin1() + kCrLf;
    return bytes;
}

bool VirtualRadio::open(QString &error)
{
    auto fail = [&error](const char *what) {
        error =
            QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    };
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return fail("posix_openpt");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return fail("unlockpt");
    char name[128];
    if (::ptsname_r(m_master, name, sizeof name) != 0)
        return fail("ptsname");
    m_devicePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0)
        return fail("open");
    termios tio{};
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    int wake[2];
    if (::pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0)
        return fail("pipe");
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
    return true;
}

void VirtualRadio::start()
{
    m_stopping = false;
    m_thread = std::thread([this] { loop(); });
}

void VirtualRadio::requestStop()
{
    m_stopping = true;
    wake();
}

void VirtualRadio::stop()
{
    requestStop();
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

void VirtualRadio::run()
{
    m_stopping = false;
    loop();
}

QList<QByteArray> VirtualRadio::receivedLines() const
{
    std::lock_guard lock(m_mutex);
    return m_log;
}

int VirtualRadio::receivedCount() const
{
    std::lock_guard lock(m_mutex);
    return int(m_log.size());
}

void VirtualRadio::clearLog()
{
    std::lock_guard lock(m_mutex);
    m_log.clear();
}

void VirtualRadio::setLineObserver(std::function<void(const QByteArray &)> observer)
{
    std::lock_guard lock(m_mutex);
    m_observer = std::move(observer);
}

void VirtualRadio::inject(const QByteArray &bytes)
{
    // Written here and now, so that a test knows the noise is on the line when this returns.
    std::lock_guard lock(m_mutex);
    if (m_master >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(m_master, bytes.constData(), bytes.size());
    }
}

void VirtualRadio::vanish()
{
    m_vanishRequested = true;
    wake();
    if (!m_thread.joinable())
        closeDevice();
}

void VirtualRadio::wake()
{
    if (m_wakeWrite >= 0) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wakeWrite, &c, 1);
    }
}

void VirtualRadio::closeDevice()
{
    std::lock_guard lock(m_mutex);
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
    if (m_slave >= 0) {
        ::close(m_slave);
        m_slave = -1;
    }
    if (m_vanishRequested)
        m_vanished = true;
}

void VirtualRadio::loop()
{
    // The line's pace is kept to the microsecond, not to the kernel's default 50 us of slack.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    while (!m_stopping && m_master >= 0) {
        if (m_vanishRequested) {
            closeDevice();
            break;
        }
        Clock::time_point now = Clock::now();

        while (!m_lines.isEmpty() && m_lines.first().second <= now && !m_vanishRequested) {
            const auto [line, at] = m_lines.takeFirst();
            answer(line, at);
        }
        if (m_vanishRequested)
            continue;

        Clock::time_point next = flush(now);
        if (!m_lines.isEmpty())
            next = std::min(next, m_lines.first().second);

        timespec timeout{};
        timespec *timeoutPointer = nullptr;
        if (next != Clock::time_point::max()) {
            const auto wait = std::max<Clock::duration>(next - Clock::now(), Clock::duration::zero());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
            timeout.tv_sec = ns / 1'000'000'000;
            timeout.tv_nsec = ns % 1'000'000'000;
            timeoutPointer = &timeout;
        }
        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
        if (::ppoll(fds, 2, timeoutPointer, nullptr) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN) {
            char drain[64];
            while (::read(m_wakeRead, drain, sizeof drain) > 0) {
            }
        }
        if (fds[0].revents & POLLIN)
            readCommands(Clock::now());
    }
}

void VirtualRadio::readCommands(Clock::time_point now)
{
    char buffer[512];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n <= 0)
        return;
    m_input.append(buffer, n);
    // The characters take their time on the inbound line too.
    m_inputFree = std::max(m_inputFree, now) + n * m_charTime;

    qsizetype end;
    while ((end = m_input.indexOf('\n')) >= 0) {
        const QByteArray line = m_input.left(end + 1);
        m_input.remove(0, end + 1);
        logLine(line);
        m_lines.append({line, m_inputFree});
    }
}

bool VirtualRadio::hits(const CommandTarget &target, const QByteArray &line) const
{
    if (!target.isSet())
        return false;
    const CommandTarget t = targetOf(line.trimmed());
    return t.kind == target.kind && t.address == target.address;
}

void VirtualRadio::logLine(const QByteArray &line)
{
    std::function<void(const QByteArray &)> observer;
    {
        std::lock_guard lock(m_mutex);
        m_log.append(line);
        observer = m_observer;
    }
    if (observer)
        observer(line);
}

Response VirtualRadio::handleLine(const QByteArray &line)
{
    logLine(line);
    return responseTo(line);
}

Response VirtualRadio::responseTo(const QByteArray &line)
{
    Response response;
    if (m_silent)
        return response;
    if (hits(m_setup.silentFrom, line)) {
        m_silent = true;
        return response;
    }
    if (hits(m_setup.vanishAt, line)) {
        response.vanish = true;
        return response;
    }
    bool respond = true;
    QByteArray reply = replyTo(line, respond);
    if (!respond)
        return response;
    if (hits(m_setup.wrongLengthAt, line)) {
        // Keep the reply ending in CR LF so that it counts as complete, with too few characters (cut
        // from the end) or too many (zeros in front, so that an acknowledgement still ends in OK).
        const qsizetype body = std::max<qsizetype>(0, m_setup.wrongLength - line.size() - 2);
        QByteArray content = reply.left(reply.size() - 2);
        content =
            content.size() >= body ? content.left(body) : QByteArray(body - content.size(), '0') + content;
        reply = content + kCrLf;
    }
    // The echo comes first; with an echo gap the answer follows as a piece of its own.
    const QList<QByteArray> parts =
        m_setup.echoGapMs > 0 ? QList<QByteArray>{line, reply} : QList<QByteArray>{line + reply};
    for (int p = 0; p < parts.size(); ++p) {
        const qsizetype size = m_setup.splitSize > 0 ? m_setup.splitSize : parts[p].size();
        for (qsizetype i = 0; i < parts[p].size(); i += size) {
            const int gap = i > 0 ? m_setup.splitGapMs : p > 0 ? m_setup.echoGapMs : 0;
            response.pieces.append({parts[p].mid(i, size), gap});
        }
    }
    response.stray = m_setup.stray;
    return response;
}

void VirtualRadio::answer(const QByteArray &line, Clock::time_point at)
{
    const Response response = responseTo(line);
    if (response.vanish) {
        m_vanishRequested = true;
        return;
    }
    for (int p = 0; p < response.pieces.size(); ++p) {
        const Response::Piece &piece = response.pieces[p];
        queue(piece.bytes, p == 0 ? at : m_outputFree + std::chrono::milliseconds(piece.gapMs));
    }
    if (!response.pieces.isEmpty() && !response.stray.isEmpty())
        queue(response.stray, m_outputFree + std::chrono::milliseconds(m_setup.strayDelayMs));
}

QByteArray VirtualRadio::replyTo(const QByteArray &line, bool &respond)
{
    respond = true;
    const QByteArray command = line.endsWith("\r\n") ? line.chopped(2) : line.trimmed();
    const QByteArray ack = hits(m_setup.badAckAt, line) ? kNotOk : kOk;
    if (command == "OV~WHO") {
        return m_setup.identity.leftJustified(5, ' ', true) + m_setup.modelCode.leftJustified(2, '0', true) +
               "00" + m_setup.variantCode.leftJustified(2, '0', true) + kCrLf;
    }
    if (command == "KTSV4") {
        m_writeEnabled = ack == kOk;
        return ack;
    }
    if (command == "OV~E") {
        m_writeEnabled = false;
        return ack;
    }
    const CommandTarget target = targetOf(command);
    if (target.kind == CommandTarget::Address) {
        if (command.size() == 9 && command[8] == 'R')
            return record(target.address) + kCrLf;
        if (command.size() == 9 + kRecordChars && command[8] == 'W') {
            // Without the write-enable line, or with a broken record, the radio stores nothing.
            const QByteArray data = command.mid(9);
            if (!m_writeEnabled || !isHex(data))
                return kNotOk;
            if (ack == kOk)
                setRecord(target.address, hits(m_setup.corruptAt, line) ? corrupted(data) : data);
            return ack;
        }
    }
    return kNotOk;
}

void VirtualRadio::queue(const QByteArray &bytes, Clock::time_point notBefore)
{
    if (m_outputHead == m_output.size()) {
        m_output.clear();
        m_outputHead = 0;
    }
    const Clock::time_point start = std::max(notBefore, m_outputFree);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        m_output.push_back({bytes[i], start + (i + 1) * m_charTime, i == bytes.size() - 1});
    m_outputFree = start + bytes.size() * m_charTime;
}

VirtualRadio::Clock::time_point VirtualRadio::flush(Clock::time_point now)
{
    std::size_t end = m_outputHead;
    while (end < m_output.size() && m_output[end].due <= now)
        ++end;
    if (end > m_outputHead) {
        QByteArray bytes;
        bytes.reserve(qsizetype(end - m_outputHead));
        for (std::size_t i = m_outputHead; i < end; ++i)
            bytes.append(m_output[i].byte);
        // Nobody reading and the line full: the characters are lost, as on a real line.
        [[maybe_unused]] const ssize_t written = ::write(m_master, bytes.constData(), bytes.size());
        m_outputHead = end;
    }
    if (m_outputHead == m_output.size())
        return Clock::time_point::max();

    // Characters go out in small batches; the last one of each piece goes out exactly on time.
    const Pending &next = m_output[m_outputHead];
    if (next.last)
        return next.due;
    std::size_t last = m_outputHead;
    while (!m_output[last].last)
        ++last;
    return std::min(std::max(next.due, now + std::chrono::milliseconds(1)), m_output[last].due);
}

RadioImage VirtualRadio::sampleImage()
{
    RadioImage image = startupImage(ModelE);
    SettingsValues &settings = image.settings.values;
    settings.cmbBeep = 1;
    settings.cmbDimmer = 20;
    settings.cmbAPO = 2;
    settings.cmbScanSkip = 1;
    settings.Slider1 = -150;
    image.vfos[0].frequency = 7'074'000;
    image.vfos[1].frequency = 14'074'000;
    for (Vfo &vfo : image.vfos)
        vfo.mode = Mode::USB;

    const struct {
        int channel;
        QByteArray record;
    } channels[] = {
        // the first bank
        {0, channelRecord(1'910'000, 1, "160M")},
        {1, channelRecord(3'573'000, 0, "80M FT8")},
        {2, channelRecord(7'030'000, 2, "40M CW", 0, false, 0, 0, 0, 1)},
        {3, channelRecord(7'050'000, 1, "40M SSB")},
        {4, channelRecord(10'136'000, 0, "30M FT8")},
        {5, channelRecord(14'074'000, 0, "20M FT8")},
        {6, channelRecord(14'200'000, 0, "20M SSB", 0, false, 3)},
        {7, channelRecord(18'100'000, 0, "17M")},
        {8, channelRecord(21'200'000, 0, "15M SSB")},
        {9, channelRecord(24'940'000, 0, "12M")},
        {10, channelRecord(28'500'000, 0, "10M SSB")},
        {11, channelRecord(29'620'000, 5, "10M RPT", 29'520'000, false, 0, 1, 1, 0, 0x88)},
        {12, channelRecord(9'650'000, 4, "BC 31M", 0, false, 1)},
        {13, channelRecord(5'000'000, 4, "WWV 5", 0, true)},
        {14, channelRecord(10'000'000, 4, "WWV 10", 0, true)},
        {15, channelRecord(15'000'000, 4, "WWV 15", 0, true, 0, 1, 2, 1, 0, 1)},
        {79, channelRecord(3'615'000, 3, "CWL (79)")},
        {80, channelRecord(3'650'000, 1, "NET+80")},
        {199, channelRecord(29'000'000, 4, "AM 10M")},
        // bank A
        {200, channelRecord(3'700'000, 1, "A0")},
        {201, channelRecord(7'074'000, 0, "A1 FT8")},
        {202, channelRecord(7'150'000, 1, "A2 $")},
        {210, channelRecord(14'230'000, 0, "SSTV=#")},
        {399, channelRecord(28'120'000, 0, "A199")},
        {400, channelRecord(7'000'000, 2, "A-P1")},
        {401, channelRecord(7'300'000, 1, "A-P2")},
        // bank B
        {402, channelRecord(14'000'000, 2, "B0")},
        {403, channelRecord(14'350'000, 0, "B1")},
        {450, channelRecord(21'074'000, 0, "B48 FT8")},
        {601, channelRecord(28'074'000, 0, "B199")},
        {602, channelRecord(21'000'000, 2, "B-P1")},
        {603, channelRecord(21'450'000, 0, "B-P2")},
    };
    for (const auto &c : channels)
        putChannelRecord(image, c.channel, parseRecordText(QString::fromLatin1(c.record)));
    return image;
}

} // namespace ktv4::sim
