#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/VolumeMismatch.h"
#include "support/SmallProjects.h"

namespace quelmora {
namespace {

class VolumeMismatchTest : public ::testing::Test {
 protected:
  // Sample volumes: 0.001 m3 each (100 x 50 x 200 mm).
  std::vector<TProduct> products = {DefaultProduct(1), DefaultProduct(2), DefaultProduct(3),
                                    DefaultProduct(4)};
  TOptimizationSettings settings = DefaultSettings();
  std::vector<std::string> asked;

  void SetUp() override {
    settings.VolumeMismatchMode = Ask;
    products[0].MinVolumeM3 = 0.0011;  // above the sample
    products[0].MaxVolumeM3 = 0.0012;
    products[2].MaxVolumeM3 = 0.0009;  // below the sample
    products[2].MinVolumeM3 = 0.0008;
    products[3].MaxVolumeM3 = 0.001 - 1e-13;  // within the tolerance
    products[3].MinVolumeM3 = 0.0009;
  }

  TMismatchQuestion Answer(std::vector<TMismatchAnswer> answers) {
    return [this, answers](const TProduct& p, double v) {
      EXPECT_DOUBLE_EQ(v, 0.001);
      asked.push_back(p.Name);
      return answers[asked.size() - 1];
    };
  }
};

TEST_F(VolumeMismatchTest, AsksInListOrderAndAppliesTheAnswers) {
  ASSERT_TRUE(ResolveVolumeMismatch(
      products, settings, Answer({TMismatchAnswer::UseSample, TMismatchAnswer::UseRange})));
  EXPECT_EQ(asked, (std::vector<std::string>{"Product 1", "Product 3"}));
  EXPECT_EQ(products[0].MinVolumeM3, SampleVolumeM3(products[0]));
  EXPECT_EQ(products[0].MaxVolumeM3, SampleVolumeM3(products[0]));
  EXPECT_EQ(products[2].MinVolumeM3, 0.0008);
  EXPECT_EQ(settings.VolumeMismatchMode, UseSpecifiedVolume);
}

TEST_F(VolumeMismatchTest, CancelStopsAndKeepsTheMode) {
  EXPECT_FALSE(ResolveVolumeMismatch(products, settings,
                                     Answer({TMismatchAnswer::UseRange, TMismatchAnswer::Cancel})));
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(settings.VolumeMismatchMode, Ask);
}

TEST_F(VolumeMismatchTest, DisabledProductsAndOtherModesAreNotAsked) {
  products[0].Enabled = products[2].Enabled = false;
  EXPECT_TRUE(ResolveVolumeMismatch(products, settings, Answer({})));
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(settings.VolumeMismatchMode, UseSpecifiedVolume);

  products[0].Enabled = true;
  settings.VolumeMismatchMode = UseSampleVolume;
  EXPECT_TRUE(ResolveVolumeMismatch(products, settings, Answer({})));
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(settings.VolumeMismatchMode, UseSampleVolume);
  EXPECT_EQ(products[0].MinVolumeM3, 0.0011);
}

}  // namespace
}  // namespace quelmora
