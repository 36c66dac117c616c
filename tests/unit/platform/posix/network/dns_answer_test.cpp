#include "platform/posix/network/dns_answer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vtx::platform {
namespace {

// A DNS response built by hand: the question _ldap._tcp.example.test, then records.
class Message {
  public:
    Message() {
        bytes_ = {0x12, 0x34, 0x81, 0x80, 0, 1, 0, 0, 0, 0, 0, 0};
        name("_ldap._tcp.example.test");
        u16(33); // SRV
        u16(1);
    }
    // An SRV answer whose owner is a pointer to the question's name (offset 12).
    Message& srv(unsigned priority, unsigned weight, const std::string& target) {
        std::vector<unsigned char> data;
        std::swap(data, bytes_);
        u16(priority);
        u16(weight);
        u16(389);
        name(target);
        std::swap(data, bytes_);
        return record(33, data);
    }
    Message& record(unsigned type, const std::vector<unsigned char>& data) {
        bytes_.insert(bytes_.end(), {0xC0, 12});
        u16(type);
        u16(1);
        bytes_.insert(bytes_.end(), {0, 0, 0x0E, 0x10});
        u16(unsigned(data.size()));
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        ++bytes_[7]; // the answer count
        return *this;
    }
    std::string first(std::size_t cut = 0) const {
        std::string target = "(none)";
        first_srv_target(bytes_.data(), bytes_.size() - cut, target);
        return target;
    }

  private:
    void u16(unsigned v) {
        bytes_.insert(bytes_.end(), {(unsigned char)(v >> 8), (unsigned char)v});
    }
    void name(const std::string& dotted) {
        std::size_t start = 0;
        while (start < dotted.size()) {
            std::size_t dot = dotted.find('.', start);
            if (dot == std::string::npos) dot = dotted.size();
            bytes_.push_back((unsigned char)(dot - start));
            bytes_.insert(bytes_.end(), dotted.begin() + long(start), dotted.begin() + long(dot));
            start = dot + 1;
        }
        bytes_.push_back(0);
    }
    std::vector<unsigned char> bytes_;
};

TEST(SrvAnswer, LowestPriorityThenHighestWeightWins) {
    EXPECT_EQ(Message().srv(0, 100, "dc1.example.test").first(), "dc1.example.test");
    EXPECT_EQ(Message()
                  .srv(10, 100, "far.example.test")
                  .srv(0, 5, "light.example.test")
                  .srv(0, 50, "heavy.example.test")
                  .srv(0, 50, "tie.example.test")
                  .first(),
              "heavy.example.test");
}

TEST(SrvAnswer, SkipsOtherRecordsAndRefusals) {
    EXPECT_EQ(Message().record(1, {127, 0, 0, 1}).srv(5, 0, "dc2.example.test").first(),
              "dc2.example.test");
    EXPECT_EQ(Message().srv(0, 0, "").first(), "(none)"); // "." : no such service here
    EXPECT_EQ(Message().record(1, {127, 0, 0, 1}).first(), "(none)");
    EXPECT_EQ(Message().first(), "(none)");
}

TEST(SrvAnswer, AShortMessageIsReadNoFurtherThanItsLength) {
    Message m;
    m.srv(0, 0, "dc1.example.test").srv(1, 0, "dc2.example.test");
    EXPECT_EQ(m.first(), "dc1.example.test");
    EXPECT_EQ(m.first(3), "dc1.example.test"); // the second record is cut: the first stands
    EXPECT_EQ(Message().srv(0, 0, "dc1.example.test").first(3), "(none)");
    const unsigned char header[4] = {0, 0, 0, 0};
    std::string target;
    EXPECT_FALSE(first_srv_target(header, sizeof header, target));
}

} // namespace
} // namespace vtx::platform
