#pragma once

#include <QThread>
#include <QtGlobal>
#include <functional>
#include <thread>
#include <vector>

namespace report {

// How many threads share work of count items: as many as there are cores, at most four, and one
// when there are fewer than least items (a thread costs more than a few items' work).
inline int partsFor(qsizetype count, qsizetype least)
{
    return count < least ? 1 : qBound(1, QThread::idealThreadCount(), 4);
}

// Runs work(part) for part 0 .. parts - 1, part 0 on this thread and each other on a thread of its
// own; returns when every part is done.
inline void onCores(int parts, const std::function<void(int part)>& work)
{
    std::vector<std::thread> others;
    for (int part = 1; part < parts; ++part)
        others.emplace_back(work, part);
    work(0);
    for (std::thread& other : others)
        other.join();
}

} // namespace report
