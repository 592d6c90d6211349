#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/alsa/master_line.h"
#include "platform/headless/memory_mixer.h"
#include "platform/mixer_service.h"

namespace vesko {
namespace {

using Writes = std::vector<std::pair<int, int>>;

class MixerTest : public ::testing::Test {
 protected:
  Mixer mixer;
  std::shared_ptr<MemoryLineState> master = addMemoryLine(mixer, kMasterLine);
  std::shared_ptr<MemoryLineState> synth = addMemoryLine(mixer, kSynthLine);
};

TEST_F(MixerTest, OpensTheLineOfItsTypeReadsSetsAndReleasesIt) {
  master->left = 1000;
  master->right = 2000;
  synth->left = synth->right = 7;

  ASSERT_TRUE(mixer.openLine(kMasterLine));
  int l = 0, r = 0;
  mixer.getLineVolume(l, r);
  EXPECT_EQ(std::make_pair(l, r), std::make_pair(1000, 2000));
  EXPECT_TRUE(mixer.setLineVolume(65535, 0));
  EXPECT_EQ(master->writes, (Writes{{65535, 0}}));
  EXPECT_TRUE(synth->writes.empty());
  EXPECT_TRUE(master->isOpen());

  mixer.closeLine();
  EXPECT_FALSE(master->isOpen());
  mixer.getLineVolume(l, r);
  EXPECT_EQ(std::make_pair(l, r), std::make_pair(-1, -1));
  EXPECT_FALSE(mixer.setLineVolume(5, 5));
  EXPECT_EQ(master->writes.size(), 1u);
}

TEST_F(MixerTest, OpeningAnotherLineReleasesTheFirst) {
  ASSERT_TRUE(mixer.openLine(kMasterLine));
  ASSERT_TRUE(mixer.openLine(kSynthLine));
  EXPECT_FALSE(master->isOpen());
  EXPECT_TRUE(synth->isOpen());
  mixer.setLineVolume(3, 4);
  EXPECT_TRUE(master->writes.empty());
  EXPECT_EQ(synth->writes, (Writes{{3, 4}}));
}

TEST_F(MixerTest, LinesThatCannotBeOpenedLeaveNoLineOpen) {
  struct Case {
    const char* what;
    int type;
  };
  synth->available = false;
  for (const Case& c : {Case{"unknown component type", 17}, Case{"line not available", kSynthLine}}) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(mixer.openLine(kMasterLine));
    EXPECT_FALSE(mixer.openLine(c.type));
    // The line opened before is released even though the new one failed.
    EXPECT_FALSE(master->isOpen());
    EXPECT_FALSE(mixer.isLineOpen());
    int l = 0, r = 0;
    mixer.getLineVolume(l, r);
    EXPECT_EQ(std::make_pair(l, r), std::make_pair(-1, -1));
    EXPECT_FALSE(mixer.setLineVolume(100, 100));
  }
  EXPECT_TRUE(master->writes.empty());
  EXPECT_TRUE(synth->writes.empty());
  EXPECT_EQ(synth->opens, 0);
}

TEST_F(MixerTest, OneChannelLineReadsRightAsMinusOneAndTakesLeft) {
  master->channels = 1;
  master->left = 40000;
  master->right = 123;  // whatever lies there is not a channel
  ASSERT_TRUE(mixer.openLine(kMasterLine));
  int l = 0, r = 0;
  mixer.getLineVolume(l, r);
  EXPECT_EQ(std::make_pair(l, r), std::make_pair(40000, -1));
  mixer.setLineVolume(1489, 30000);
  EXPECT_EQ(master->writes, (Writes{{1489, -1}}));
  EXPECT_EQ(master->left, 1489);
}

TEST_F(MixerTest, FailedReadGivesMinusOneForBoth) {
  master->failReads = true;
  ASSERT_TRUE(mixer.openLine(kMasterLine));
  int l = 0, r = 0;
  mixer.getLineVolume(l, r);
  EXPECT_EQ(std::make_pair(l, r), std::make_pair(-1, -1));
}

TEST(MixerMasterLineScale, EndsMeetTheControlRangeExactly) {
  struct Case {
    long min, max;
    int volume;
    long raw;
  };
  const Case cases[] = {
      {0, 65536, 0, 0},       {0, 65536, 65535, 65536}, {0, 65536, 32768, 32769},
      {0, 31, 0, 0},          {0, 31, 65535, 31},       {0, 31, 32768, 16},
      {-6400, 0, 0, -6400},   {-6400, 0, 65535, 0},     {-6400, 0, 32767, -3200},
      {0, 31, -5, 0},         {0, 31, 70000, 31},  // out-of-range volumes are held to the ends
  };
  for (const Case& c : cases) {
    EXPECT_EQ(volumeToRaw(c.volume, c.min, c.max), c.raw) << c.volume << " on " << c.min << ".." << c.max;
  }
  EXPECT_EQ(rawToVolume(31, 0, 31), 65535);
  EXPECT_EQ(rawToVolume(0, 0, 31), 0);
  EXPECT_EQ(rawToVolume(-6400, -6400, 0), 0);
  EXPECT_EQ(rawToVolume(16, 0, 31), 33825);  // 33824.5 rounds up
  EXPECT_EQ(rawToVolume(99, 0, 31), 65535);  // a reading outside the range is held too
}

TEST(MixerMasterLineScale, EveryVolumeSurvivesAFinerControl) {
  for (int v = 0; v <= 65535; ++v) {
    ASSERT_EQ(rawToVolume(volumeToRaw(v, 0, 65536), 0, 65536), v);
  }
}

}  // namespace
}  // namespace vesko
