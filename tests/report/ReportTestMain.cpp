#include <gtest/gtest.h>

#include "report/GuiApplication.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  quelmora::EnsureGuiApplication();
  return RUN_ALL_TESTS();
}
