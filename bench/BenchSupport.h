#pragma once

// What the benchmarks share: printing a figure, the statistics of a sample, waiting on the
// event loop, a copy of the shipped show, a key typed as the operator types it and a child
// run of the benchmark.

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace velta::bench {

inline void print(const char* name, double value, const char* unit) {
    std::printf("%s: %.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

inline double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * (values.size() - 1) + 0.5)];
}

// The resident memory of this process, in megabytes; -1 where the system does not say.
inline double rssMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return -1;
}

// The clock a parent and its child read alike, for a start timed across processes.
inline qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

inline double median(std::vector<double> values) {
    return percentile(std::move(values), 0.5);
}

// Runs the event loop for a while, or until done() holds; false on time-out.
template <class Done>
bool runEventsUntil(int milliseconds, Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
    return true;
}

// The shipped sounds, pictures and questions in a folder of their own, so the show's own
// program folder is never touched.
inline bool copyShow(const QString& from, const QString& to) {
    for (const char* part : {"Audio", "Imagen", "Rondas"}) {
        const QString source = QDir(from).filePath(QLatin1String(part));
        if (!QDir(source).exists()) {
            return false;
        }
        QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            const QString target = QDir(to).filePath(QDir(from).relativeFilePath(file));
            if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(file, target)) {
                return false;
            }
        }
    }
    return true;
}

// A letter or digit key as the operator types it, delivered to the focus sink like a key
// from the desktop.
inline void typeKey(QWidget* sink, char key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const int code = key >= 'a' ? Qt::Key_A + (key - 'a') : Qt::Key_0 + (key - '0');
    const QString text(QChar::fromLatin1(key));
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
    QApplication::sendEvent(sink, &press);
    QApplication::sendEvent(sink, &release);
}

// This program again as a child in the given mode, its figures passed on; false when it
// failed or ran over ten minutes.
inline bool runChild(const char* program, const char* mode) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QString::fromLocal8Bit(program), {QString::fromLatin1(mode)});
    if (!child.waitForFinished(600000)) {
        child.kill();
        child.waitForFinished();
        return false;
    }
    std::fputs(child.readAllStandardOutput().constData(), stdout);
    std::fflush(stdout);
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

}  // namespace velta::bench
