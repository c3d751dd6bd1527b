#pragma once

#include <QString>

#include <functional>

// How a failed read or write of the databases reaches the user: through the handler the
// screens install (an error box), or, while a Collector is alive, a note that the collecting
// handler reports once, itself.
namespace DataFailure {

// Shows a failure's full text to the user; installed once when the application starts.
using Handler = std::function<void(const QString& text)>;
void setHandler(Handler shower);

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

// Hands the failure to the handler (with none installed, to the log). A failure because another
// program holds the file says so, and that nothing was stored half-way. No collector notes
// failures while it is being shown.
void show(const QString& message);

} // namespace DataFailure
