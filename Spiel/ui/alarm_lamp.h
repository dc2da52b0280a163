// The alarm lamp on the panel: green while all is well, alternating between
// two red pictures while the ball is in the outer disc of an element.
#pragma once

#include <QString>

namespace ferlan {

class AlarmLamp {
public:
    enum class Picture { Green, Alarm1, Alarm2 };

    // Lamp events per second. The red pictures alternate on every event, so
    // this bounds the flashing well below rates that can harm people.
    static constexpr int kEventsPerSecond = 4;
    static_assert(kEventsPerSecond <= 6, "at most three flashes a second");

    // Remembers an alarm raised by any tick since the last lamp event, so a
    // touch shorter than the lamp's period still shows.
    void noteTick(bool alarmOn) { alarmSeen_ = alarmSeen_ || alarmOn; }
    // A new build ends whatever the old level raised.
    void forgetTicks() { alarmSeen_ = false; }

    // One lamp event; true when the picture changed.
    bool event(bool alarmOn) {
        const bool alarm = alarmSeen_ || alarmOn;
        alarmSeen_ = false;
        const Picture before = picture_;
        if (!alarm) {
            picture_ = Picture::Green;
        } else if (blinkPhase_) {
            picture_ = Picture::Alarm2;
            blinkPhase_ = false;
        } else {
            picture_ = Picture::Alarm1;
            blinkPhase_ = true;
        }
        return picture_ != before;
    }

    Picture picture() const { return picture_; }

    static QString pictureName(Picture picture) {
        switch (picture) {
            case Picture::Alarm1: return QStringLiteral("Alarm1");
            case Picture::Alarm2: return QStringLiteral("Alarm2");
            case Picture::Green: break;
        }
        return QStringLiteral("Alarmgrün");
    }

private:
    Picture picture_ = Picture::Green;
    bool blinkPhase_ = false;
    bool alarmSeen_ = false;
};

}  // namespace ferlan
