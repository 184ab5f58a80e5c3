// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A KT-V4 in clone mode behind a pseudo-terminal: it echoes every line as received and answers
// the five clone commands from the records it holds, at the pace of a real serial line, and can
// be told to misbehave the ways cables and radios do. The program under test opens the device
// path like any serial port.
//
// The radio runs its own loop (poll on the pty), either on the caller's thread (run()) or on a
// thread of its own (start()/stop()); everything public may be called from any thread.

#include "model/RadioImage.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace ktv4::sim {

// Which command a fault applies to: the identify, write-enable or closing line, or the block read
// or write of one address.
struct CommandTarget {
    enum Kind { None, Identify, WriteEnable, End, Address };
    Kind kind = None;
    int address = -1;

    // "who", "enable", "end", or a hexadecimal address ("0600", "0x1000"); nullopt-like None on error.
    static CommandTarget parse(const QString &text, bool *ok = nullptr);
    static CommandTarget block(int address) { return {Address, address}; }
    bool isSet() const { return kind != None; }
};

struct RadioSetup {
    int baud = 9600; // 0: everything at once
    QByteArray identity = "KTSV4";
    QByteArray modelCode = "99";
    QByteArray variantCode = "00";

    CommandTarget silentFrom; // from this command on, nothing more is answered (lines are still logged)
    CommandTarget wrongLengthAt;
    int wrongLength = 0;    // total reply length, echo included, for wrongLengthAt
    CommandTarget badAckAt; // "NG" in place of "OK"
    CommandTarget vanishAt; // the device disappears when this command arrives
    int splitSize = 0;      // replies sent in pieces of this many characters...
    int splitGapMs = 0;     // ...this far apart
    int echoGapMs = 0;      // a pause between the echo and the answer
    QByteArray stray;       // sent after every reply, between commands
    int strayDelayMs = 3;

    // A block write acknowledged with "OK" but stored with one bit changed (byte 16, the frequency).
    CommandTarget corruptAt;
};

// What the radio does about one line: the pieces it sends back, each after a gap (the echo and
// the answer; none when it keeps silent), noise after them, and whether the device disappears
// instead of answering.
struct Response {
    struct Piece {
        QByteArray bytes;
        int gapMs = 0; // after the previous piece
    };
    QList<Piece> pieces;
    QByteArray stray;
    bool vanish = false;
};

class VirtualRadio {
public:
    explicit VirtualRadio(RadioSetup setup = RadioSetup());
    ~VirtualRadio();
    VirtualRadio(const VirtualRadio &) = delete;
    VirtualRadio &operator=(const VirtualRadio &) = delete;

    // Another behaviour from the next line on (a fault mended, or a new one), memory kept. Only
    // while the radio runs on the caller's thread, or not at all.
    void setSetup(const RadioSetup &setup);

    // The 608 records of an image, each as its encoder builds it.
    void loadImage(const RadioImage &image);
    // One record's text as the radio will send it (any case, any content).
    void setRecord(int address, const QByteArray &text);
    QByteArray record(int address) const; // 64 "F" for an address never written
    // The radio's memory as an image (records that do not decode keep the default).
    RadioImage image() const;
    // The memory as a clone file's bytes, records exactly as held.
    QByteArray cloneFileBytes() const;

    // Creates the pseudo-terminal.
    bool open(QString &error);
    QString devicePath() const { return m_devicePath; }

    void start();       // runs the radio on a thread of its own
    void stop();        // ends the loop (and joins the thread)
    void requestStop(); // ends the loop soon; safe in a signal handler
    void run();         // runs the radio on this thread until stop() or the device vanishes

    // Lines as received, CR LF included, in order.
    QList<QByteArray> receivedLines() const;
    int receivedCount() const;
    void clearLog();
    // Called on the radio's thread for each line received.
    void setLineObserver(std::function<void(const QByteArray &line)> observer);

    // The radio's whole behaviour for one received line, without a device: the line is logged
    // (and observed), the memory and the write-enable state change as the radio's would, and the
    // reply comes back for the caller to deliver. A transport inside the test process uses this.
    Response handleLine(const QByteArray &line);

    // Sends bytes now, outside any reply (noise on the line).
    void inject(const QByteArray &bytes);
    // Closes the device now, as an unplugged cable does.
    void vanish();
    bool hasVanished() const { return m_vanished; }

    static RadioImage sampleImage(); // channels in every bank, settings and VFOs of a used radio

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        char byte;
        Clock::time_point due;
        bool last; // the last byte of a piece: written exactly on time
    };

    void loop();
    void wake();
    void readCommands(Clock::time_point now);
    void logLine(const QByteArray &line);
    Response responseTo(const QByteArray &line);
    void answer(const QByteArray &line, Clock::time_point at);
    QByteArray replyTo(const QByteArray &line, bool &respond);
    void queue(const QByteArray &bytes, Clock::time_point notBefore);
    Clock::time_point flush(Clock::time_point now);
    void closeDevice();
    bool hits(const CommandTarget &target, const QByteArray &line) const;

    RadioSetup m_setup;
    std::chrono::nanoseconds m_charTime{0};

    mutable std::mutex m_mutex; // guards the memory, the log, the observer and closing the device
    QHash<int, QByteArray> m_memory;
    QList<QByteArray> m_log;
    std::function<void(const QByteArray &)> m_observer;

    int m_master = -1;
    int m_slave = -1; // held open so the line does not hang up between the program's opens
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    QString m_devicePath;
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_vanished{false};
    std::atomic<bool> m_vanishRequested{false};

    // Loop state, touched only by the radio's thread.
    QByteArray m_input;
    Clock::time_point m_inputFree{};  // when the inbound line has carried everything read so far
    Clock::time_point m_outputFree{}; // when the outbound line is free again
    QList<QPair<QByteArray, Clock::time_point>>
        m_lines; // lines received, with when their last character landed
    std::vector<Pending> m_output;
    std::size_t m_outputHead = 0;
    bool m_writeEnabled = false;
    bool m_silent = false;
};

} // namespace ktv4::sim
