#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/tune.h"

namespace vtx {
namespace {

// Records what a tune asks for; a key "arrives" after a given number of key tests.
class RecordingPlayer : public TunePlayer {
  public:
    std::vector<std::string> events;
    int key_after = -1; // key tests before a key is waiting; -1: never

    bool key_waiting() override { return key_after >= 0 && key_after-- == 0; }
    void note(uint32_t f, uint32_t ms) override {
        events.push_back("note " + std::to_string(f) + " " + std::to_string(ms));
    }
    void rest(uint32_t ms) override { events.push_back("rest " + std::to_string(ms)); }
};

std::vector<std::string> play(std::string_view tune) {
    RecordingPlayer p;
    EXPECT_FALSE(play_tune(tune, p));
    return p.events;
}

using Events = std::vector<std::string>;

TEST(Tune, NoteLengthsFollowDurationAndTempo) {
    EXPECT_EQ(play("440f"), Events{"note 440 274"});
    EXPECT_EQ(play("2d440f"), Events{"note 440 109"});
    EXPECT_EQ(play("128t5d440f"), Events{"note 440 549"});
    EXPECT_EQ(play("300t440f"), Events{"note 440 219"}); // 4.27 ticks count as 4
    EXPECT_EQ(play("0d0t440f"), Events{"note 440 274"}); // zero keeps the old value
}

TEST(Tune, GapFollowsEveryNote) {
    EXPECT_EQ(play("3g440f440f"), (Events{"note 440 274", "rest 164", "note 440 274", "rest 164"}));
}

TEST(Tune, FrequencyCarriesOverAndStartsAt1000) {
    EXPECT_EQ(play("440f f f"), (Events{"note 440 274", "note 440 274", "note 440 274"}));
    EXPECT_EQ(play("f"), Events{"note 1000 274"});
    // The fifth digit empties the buffer and is dropped.
    EXPECT_EQ(play("12345f"), Events{"note 1000 274"});
    EXPECT_EQ(play("123456f"), Events{"note 6 274"});
    EXPECT_EQ(play("0f"), Events{"note 0 274"});
}

TEST(Tune, LettersAreCaseBlindAndOthersIgnored) {
    EXPECT_EQ(play("44x0F"), Events{"note 440 274"}); // x keeps the buffer
    EXPECT_EQ(play("10D\n20G!880F"), (Events{"note 880 549", "rest 1098"}));
}

TEST(Tune, EndsAtZeroOrCtrlZ) {
    EXPECT_EQ(play(std::string_view("440f\0"
                                    "880f",
                                    9)),
              Events{"note 440 274"});
    EXPECT_EQ(play("440f\x1a"
                   "880f"),
              Events{"note 440 274"});
}

TEST(Tune, WaitingKeyStopsBetweenNotes) {
    RecordingPlayer p;
    p.key_after = 5; // after "440f " has been read
    EXPECT_TRUE(play_tune("440f 880f", p));
    EXPECT_EQ(p.events, Events{"note 440 274"});

    // A key pressed during the last note is still seen at the end of the text.
    RecordingPlayer last;
    last.key_after = 4;
    EXPECT_TRUE(play_tune("440f", last));
    EXPECT_EQ(last.events, Events{"note 440 274"});
}

} // namespace
} // namespace vtx
