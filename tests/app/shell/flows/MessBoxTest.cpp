// MessBox through the real dialog: keys, button sets, icons, layout in
// twips and the returned captions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Global.h"
#include "MessBox.h"
#include "MessBoxLayout.h"
#include "Twips.h"
#include "frmMessBox.h"

using namespace torvane;
using namespace flow_tests;

namespace {

constexpr int kButton0 = frmMessBox::kButtonIds[0];
constexpr int kButton1 = frmMessBox::kButtonIds[1];

// Answers a prompt by posting keys (a list of WM_KEYDOWN codes or
// characters, each on its own tick) and returns what MessBox returned.
struct Key {
  bool isChar;
  wchar_t value;
};
Key Down(WPARAM vk) { return {false, static_cast<wchar_t>(vk)}; }
Key Char(wchar_t c) { return {true, c}; }

std::wstring AnswerWithKeys(const std::wstring& buttons, const std::vector<Key>& keys) {
  Global().MessBoxChoice = L"(none)";
  DialogDriver driver([&](HWND dialog) {
    for (const Key& key : keys) key.isChar ? PostChar(dialog, key.value) : PostKeyDown(dialog, key.value);
  });
  return MessBox(L"Question?", L"?", buttons, L"Title");
}

bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }

}  // namespace

TEST(MessBoxKeys, EachButtonSet) {
  const struct {
    const wchar_t* buttons;
    std::vector<Key> keys;  // each posted in turn; the last one answers
    const wchar_t* answer;
  } cases[] = {
      {L"Y/N", {Down(VK_ESCAPE)}, L"&No"},
      {L"Y/N", {Char(L'n')}, L"&No"},
      {L"y/n", {Char(L'N')}, L"&No"},
      {L"Y/N", {Down(VK_RETURN)}, L"&Yes"},
      {L"Y/N", {Down(VK_SPACE)}, L"&Yes"},
      {L"Y/N", {Char(L'q'), Char(L'Y')}, L"&Yes"},  // other keys are passed on
      {L"Y/N", {Char(L'c')}, L"&Yes"},              // C and O click button 0 too
      {L"OK", {Char(L'N'), Down(VK_ESCAPE), Char(L'n'), Char(L'o')}, L"&OK"},
      {L"ok", {Char(L'y')}, L"&OK"},
      {L"OK", {Down(VK_SPACE)}, L"&OK"},
      {L"Cancel", {Down(VK_ESCAPE)}, L"&Cancel"},
      {L"CANCEL", {Char(L'n'), Down(VK_RETURN)}, L"&Cancel"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.answer, AnswerWithKeys(c.buttons, c.keys)) << c.buttons << " after " << c.keys.size() << " keys";
  }
}

TEST(MessBoxKeys, ClicksAndCloseCommands) {
  Global().MessBoxChoice.clear();
  DialogDriver clickNo([](HWND dialog) { ::PostMessageW(::GetDlgItem(dialog, kButton1), BM_CLICK, 0, 0); });
  EXPECT_EQ(L"&No", MessBox(L"m", L"i", L"Y/N", L"t"));

  // The window's close command acts like Esc: nothing for "OK".
  DialogDriver closeThenClick([](HWND dialog) { ::PostMessageW(dialog, WM_CLOSE, 0, 0); });
  closeThenClick.Then([](HWND dialog) {
    EXPECT_TRUE(::IsWindowVisible(dialog));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(L"&OK", MessBox(L"m", L"i", L"OK", L"t"));
}

TEST(MessBoxKeys, QuittingLoopReturnsThePreviousChoiceAndKeepsTheQuit) {
  Global().MessBoxChoice = L"&Yes";
  DialogDriver quit([](HWND) { ::PostQuitMessage(7); });
  EXPECT_EQ(L"&Yes", MessBox(L"m", L"?", L"Y/N", L"t"));
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7u, msg.wParam);
  EXPECT_EQ(nullptr, FindThreadDialog());
}

// What a prompt looked like while it was open.
struct Shot {
  std::wstring caption, frame, message, button[2];
  bool iconVisible[4]{}, buttonVisible[2]{};
  RECT window{}, client{}, frameRect{}, messageRect{}, buttonRect[2]{}, iconRect[4]{};
};

Shot ShowAndLook(const std::wstring& message, const std::wstring& icon, const std::wstring& buttons) {
  Shot shot;
  DialogDriver look([&](HWND dialog) {
    shot.caption = WindowText(dialog);
    shot.frame = WindowText(::GetDlgItem(dialog, frmMessBox::kFrameId));
    shot.message = WindowText(::GetDlgItem(dialog, frmMessBox::kMessageId));
    ::GetWindowRect(dialog, &shot.window);
    ::GetClientRect(dialog, &shot.client);
    shot.frameRect = ChildRect(dialog, frmMessBox::kFrameId);
    shot.messageRect = ChildRect(dialog, frmMessBox::kMessageId);
    for (int i = 0; i < 2; ++i) {
      shot.button[i] = WindowText(::GetDlgItem(dialog, frmMessBox::kButtonIds[i]));
      shot.buttonVisible[i] = Visible(dialog, frmMessBox::kButtonIds[i]);
      shot.buttonRect[i] = ChildRect(dialog, frmMessBox::kButtonIds[i]);
    }
    for (int i = 0; i < 4; ++i) {
      shot.iconVisible[i] = Visible(dialog, frmMessBox::kIconIds[i]);
      shot.iconRect[i] = ChildRect(dialog, frmMessBox::kIconIds[i]);
    }
    ::PostMessageW(::GetDlgItem(dialog, kButton0), BM_CLICK, 0, 0);
  });
  MessBox(message, icon, buttons, L"The title");
  EXPECT_TRUE(look.Acted());
  return shot;
}

int Count(const bool (&flags)[4]) { return flags[0] + flags[1] + flags[2] + flags[3]; }

TEST(MessBoxLayoutOnScreen, TextsIconsAndButtons) {
  const Shot critical = ShowAndLook(L"A & B", L"X", L"OK");
  EXPECT_EQ(L"Torvane", critical.caption);
  EXPECT_EQ(L"The title", critical.frame);
  EXPECT_EQ(L"A & B", critical.message);
  EXPECT_TRUE(critical.iconVisible[3]);
  EXPECT_EQ(1, Count(critical.iconVisible));
  EXPECT_EQ(L"&OK", critical.button[0]);
  EXPECT_FALSE(critical.buttonVisible[1]);
  // "X" with "OK" looks the same as "x" with "ok".
  const Shot same = ShowAndLook(L"A & B", L"x", L"ok");
  EXPECT_TRUE(same.iconVisible[3]);
  EXPECT_TRUE(EqualRect(&critical.buttonRect[0], &same.buttonRect[0]));
  EXPECT_TRUE(EqualRect(&critical.window, &same.window));

  const Shot question = ShowAndLook(L"m", L"?", L"Y/N");
  EXPECT_TRUE(question.iconVisible[0]);
  EXPECT_EQ(1, Count(question.iconVisible));
  EXPECT_TRUE(question.buttonVisible[0] && question.buttonVisible[1]);
  EXPECT_EQ(L"&Yes", question.button[0]);
  EXPECT_EQ(L"&No", question.button[1]);
  EXPECT_EQ(question.buttonRect[0].top, question.buttonRect[1].top);
  EXPECT_LT(question.buttonRect[0].right, question.buttonRect[1].left);  // button 0 left of button 1
  // The icon stands level with the frame.
  EXPECT_EQ(question.frameRect.top, question.iconRect[0].top);

  const Shot none = ShowAndLook(L"m", L"?x", L"Whatever");
  EXPECT_EQ(0, Count(none.iconVisible));
  EXPECT_EQ(L"&Yes", none.button[0]);  // the design's buttons
  EXPECT_TRUE(none.buttonVisible[1]);
  EXPECT_TRUE(ShowAndLook(L"m", L"I", L"Cancel").iconVisible[1]);
  EXPECT_TRUE(ShowAndLook(L"m", L"!", L"Cancel").iconVisible[2]);
  EXPECT_EQ(L"&Cancel", ShowAndLook(L"m", L"!", L"Cancel").button[0]);
}

TEST(MessBoxLayoutOnScreen, MeasuresInTwips) {
  const Twips twips = Twips::Screen();
  const auto px = [&](int t) { return twips.ToPixelsY(t); };
  const Shot shortText = ShowAndLook(L"One line.", L"i", L"OK");
  std::wstring longMessage;
  for (int i = 0; i < 40; ++i) longMessage += L"A message long enough to wrap over several lines. ";
  const Shot longText = ShowAndLook(longMessage, L"i", L"OK");

  for (const Shot* shot : {&shortText, &longText}) {
    const int labelHeight = shot->messageRect.bottom - shot->messageRect.top;
    const int frameHeight = shot->frameRect.bottom - shot->frameRect.top;
    EXPECT_NEAR(labelHeight + px(500), frameHeight, 2);
    EXPECT_NEAR(shot->frameRect.bottom + px(200), shot->buttonRect[0].top, 2);
    EXPECT_NEAR(px(MessBoxLayout::kFrameTop) + frameHeight + px(600) + px(MessBoxLayout::kButtonHeight) + px(600),
                shot->window.bottom - shot->window.top, 3);
    EXPECT_NEAR(px(2000), shot->window.top, 1);
    // The single button is centred on the dialog's width.
    const int width = shot->window.right - shot->window.left;
    const int buttonWidth = shot->buttonRect[0].right - shot->buttonRect[0].left;
    EXPECT_NEAR((width - buttonWidth) / 2, shot->buttonRect[0].left, 2);
    // The whole message fits in the label and the button lies inside the window.
    EXPECT_LE(shot->buttonRect[0].bottom, shot->client.bottom);
    EXPECT_LE(shot->messageRect.bottom, shot->frameRect.bottom);
  }
  EXPECT_GT(longText.messageRect.bottom - longText.messageRect.top,
            4 * (shortText.messageRect.bottom - shortText.messageRect.top));
  EXPECT_GT(longText.window.bottom - longText.window.top, shortText.window.bottom - shortText.window.top);
}

TEST(MessBoxOwner, OwnerIsDisabledWhileThePromptIsOpen) {
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, owner);
  bool enabledDuring = true;
  HWND ownerSeen = nullptr;
  DialogDriver look([&](HWND dialog) {
    enabledDuring = ::IsWindowEnabled(owner) != FALSE;
    ownerSeen = ::GetWindow(dialog, GW_OWNER);
    PostChar(dialog, L'y');
  });
  EXPECT_EQ(L"&Yes", MessBox(L"m", L"?", L"Y/N", L"t", owner));
  EXPECT_FALSE(enabledDuring);
  EXPECT_EQ(owner, ownerSeen);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  // A prompt over an owner that is already disabled (another modal window
  // is up) leaves it disabled.
  ::EnableWindow(owner, FALSE);
  DialogDriver answer([](HWND dialog) { PostChar(dialog, L'n'); });
  EXPECT_EQ(L"&No", MessBox(L"m", L"?", L"Y/N", L"t", owner));
  EXPECT_FALSE(::IsWindowEnabled(owner));
  ::DestroyWindow(owner);
}
