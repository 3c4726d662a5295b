// GoogleTest's Notification for mingw-w64 with win32 threads, whose C++
// library has no std::mutex: a manual-reset event of the Windows API. Given
// to GoogleTest through its GTEST_HAS_NOTIFICATION_ customisation point.
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
  public:
    Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

  private:
    HANDLE event_;
};

}  // namespace testing::internal
