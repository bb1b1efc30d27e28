// Time-stamped names and error log lines.
#include <gtest/gtest.h>

#include "ErrorLogLine.h"
#include "FlowTestSupport.h"
#include "TimeStampName.h"

using namespace torvane;
using flow_tests::LocalTime;

TEST(TimeStampedName, FourteenDigitsWithPadding) {
  EXPECT_EQ(L"20240105070809", TimeStamp(LocalTime(2024, 1, 5, 7, 8, 9)));
  EXPECT_EQ(L"19991231235959", TimeStamp(LocalTime(1999, 12, 31, 23, 59, 59)));
  EXPECT_EQ(L"20000101000000", TimeStamp(LocalTime(2000, 1, 1, 0, 0, 0)));
}

TEST(TimeStampedName, FolderPrefixAndExtension) {
  const SYSTEMTIME t = LocalTime(2023, 11, 30, 18, 4, 0);
  EXPECT_EQ(L"D:\\Pics\\cam20231130180400.jpg", TimeStampedFileName(L"D:\\Pics", L"cam", t, L".jpg"));
  EXPECT_EQ(L"D:\\Pics\\20231130180400.bmp", TimeStampedFileName(L"D:\\Pics", L"", t, L".bmp"));
  // An empty folder names the root of the current drive.
  EXPECT_EQ(L"\\20231130180400.avi", TimeStampedFileName(L"", L"", t, L".avi"));
  // Milliseconds do not count: two names within one second are equal.
  SYSTEMTIME later = t;
  later.wMilliseconds = 0;
  EXPECT_EQ(TimeStampedFileName(L"x", L"p", t, L".bmp"), TimeStampedFileName(L"x", L"p", later, L".bmp"));
}

TEST(ErrorLogLine, Fields) {
  EXPECT_EQ(L"1,53,\"File not found\",\"frmMainTakeSnapShot\",\"\",-2147221504\r\n",
            ErrorLogLine(1, 53, L"File not found", L"frmMainTakeSnapShot", L""));
  EXPECT_EQ(L"25,75,\"Path/File access error\",\"StoreTimedPicture\",\"C:\\p\\a b.jpg\",-2147221504\r\n",
            ErrorLogLine(25, 75, L"Path/File access error", L"StoreTimedPicture", L"C:\\p\\a b.jpg"));
  // Numbers keep their sign; texts are written as they are, quotes included.
  EXPECT_EQ(L"3,-5,\"say \"hi\"\",\"p\",\"d\",-2147221504\r\n", ErrorLogLine(3, -5, L"say \"hi\"", L"p", L"d"));
}
