#pragma once

#include <QHash>
#include <QHostAddress>
#include <QString>
#include <functional>

namespace velta {

// Who may see the room's pages: the audience with the room code, the host with a secret of
// its own. An address that gives five wrong codes in a row waits a minute, right code or not.
class RoomAccess {
  public:
    static constexpr int kWrongTries = 5;
    static constexpr qint64 kWaitMs = 60000;

    // The audience's board, the host's view, and the phones that are face-off buttons.
    enum class Page { Audience, Host, Buzzer };
    enum class Verdict { Allowed, Refused, Waiting };

    // `now`: milliseconds of a steady clock.
    explicit RoomAccess(std::function<qint64()> now = {});

    // A new opening: the fixed code when it is one (else six random digits), a new host
    // secret, and every address's wrong tries forgotten.
    void open(const QString& fixedCode);
    QString code() const { return code_; }
    // 128 random bits as 32 hexadecimal digits.
    QString hostSecret() const { return secret_; }

    Verdict check(const QHostAddress& from, Page page, const QString& given);

  private:
    struct Tries {
        int wrong = 0;
        qint64 waitUntil = 0;
    };
    static constexpr int kTrackedAddresses = 4096;

    std::function<qint64()> now_;
    QString code_;
    QString secret_;
    QHash<QString, Tries> tries_;
};

}  // namespace velta
