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

// Shows a message box titled "خطا" with the critical icon over the active window.
void show(const QString& message);

} // namespace DataFailure
