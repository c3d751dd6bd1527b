#pragma once

#include <QString>

// How a failed read or write of the databases reaches the user: a standard error box, or,
// while a Collector is alive, a note that the collecting handler reports once, itself.
namespace DataFailure {

void report(const QString& message);

class Collector
{
  public:
    Collector();
    ~Collector();
    Collector(const Collector&) = delete;
    Collector& operator=(const Collector&) = delete;

    bool failed() const { return !message_.isEmpty(); }
    QString message() const { return message_; }
    void note(const QString& message);

  private:
    Collector* outer_;
    QString message_;
};

// Whether a database error says another program holds the file (SQLite's "busy" or "locked"),
// after the connection's bounded wait for it.
bool isBusy(const QString& detail);

// Shows a message box titled "خطا" with the critical icon over the active window. A failure
// because another program holds the file says so, and that nothing was stored half-way.
void show(const QString& message);

} // namespace DataFailure
