#pragma once

#include <QString>

#include "notice/notice_page.h"

inline constexpr int kCurrentVersion = 1;

// Only the leading digits of the page's version count: "2.5" is 2, "beta" is 0.
bool IsNewerThanCurrent(const QByteArray& latestVersion);

// The texts the update offer shows, exactly as users have always seen them.
inline constexpr char16_t kUpdateInfoCaption[] = u"信息：";
inline constexpr char16_t kUpdateQuestionCaption[] = u"是否更新";
inline constexpr char16_t kUpdateQuestionText[] = u"是否进行更新？？？";
QString UpdateInfoText(const NoticePage& page);

// The version line of the notice area for our own version: 软件当前版本：V1.0
QString CurrentVersionCaption();
QString LatestVersionCaption(const NoticePage& page);
QString AuthorCaption(const NoticePage& page);
QString LinkCaption(const NoticePage& page);
