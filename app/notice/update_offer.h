#pragma once

#include <string>

#include "notice/notice_page.h"

inline constexpr int kCurrentVersion = 1;

// Only the leading digits of the page's version count: "2.5" is 2, "beta" is 0.
bool IsNewerThanCurrent(const std::string& latestVersion);

// The texts the update offer shows, exactly as users have always seen them (UTF-8).
inline constexpr char kUpdateInfoCaption[] = "信息：";
inline constexpr char kUpdateQuestionCaption[] = "是否更新";
inline constexpr char kUpdateQuestionText[] = "是否进行更新？？？";
std::string UpdateInfoText(const NoticePage& page);

// The version line of the notice area for our own version: 软件当前版本：V1.0
std::string CurrentVersionCaption();
std::string LatestVersionCaption(const NoticePage& page);
std::string AuthorCaption(const NoticePage& page);
std::string LinkCaption(const NoticePage& page);
