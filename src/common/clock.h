#pragma once

#include <QDate>
#include <QDateTime>

namespace common {

// The program's idea of "now". Tests replace it to set today and the current year.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// The clock in use (the system clock unless a test installed another).
const Clock& clock();
// Installs c (not owned; nullptr restores the system clock). Returns the previous one.
const Clock* setClock(const Clock* c);

// A clock standing at a fixed moment, for tests and tools.
class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime at) : m_at(std::move(at)) {}
    QDateTime now() const override { return m_at; }
    void set(QDateTime at) { m_at = std::move(at); }

private:
    QDateTime m_at;
};

} // namespace common
