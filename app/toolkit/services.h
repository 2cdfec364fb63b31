#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/controls.h"

// What the behaviours ask of the platform beyond the controls. Each toolkit links its own
// implementation: Qt and POSIX on Linux, Win32 on Windows. Texts shown in controls are UTF-8;
// paths and texts for the library are 8-bit text in the system code page.
namespace services {

// --- Text -------------------------------------------------------------------------------------
// Between the controls' UTF-8 and the system's 8-bit code page (the ANSI code page on Windows,
// UTF-8 elsewhere).
std::string ToSystem8Bit(const std::string& utf8);
std::string FromSystem8Bit(std::string_view bytes);
// The notice page is GBK whatever the system's code page; invalid sequences become U+FFFD.
std::string FromGbk(std::string_view bytes);

// --- Files (paths in the system code page) ------------------------------------------------------
// The whole file; empty when it cannot be read or is not a regular file.
ui::Bytes ReadWholeFile(const std::string& path);
// Replaces (or creates) the file with the bytes, through a scratch file beside it renamed into
// place once whole, so a failed write leaves the older file as it was.
bool WriteWholeFile(const std::string& path, const ui::Bytes& bytes);
// Writes a new file only when nothing of that name exists, in one step; a file that could not
// be written whole is removed again. A program file may be run; any other is plain data.
enum class NewFile { Data, Program };
bool WriteNewFile(const std::string& path, const unsigned char* bytes, std::size_t size,
                  NewFile kind);
// True when a file, folder or anything else of that name exists.
bool Exists(const std::string& path);
// True exactly when path names an existing folder.
bool IsFolder(const std::string& path);
// Creates every missing level of the path, which ends in a separator.
bool CreateFolderPath(const std::string& path);

// --- Places -----------------------------------------------------------------------------------
// The fixed folder that holds the settings file, with a trailing separator.
std::string WorkingFolder();
// The user's desktop folder, with a trailing separator.
std::string DesktopFolder();

// --- The settings file ------------------------------------------------------------------------
// The value of key in section, or defaultValue; at most bufferSize - 1 bytes.
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& file,
                              std::size_t bufferSize);
// Stores key=value in section, keeping every other line of the file. False on failure.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& file);

// --- Dialogs ----------------------------------------------------------------------------------
// The folder browser with its title, owned by the active window; the chosen folder (UTF-8), or
// empty text when the user cancels or the item has no file-system path.
std::string ChooseFolder(const std::string& title);

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };
// A message box with no icon, owned by no window, modal to the application. Closing it by its
// close box or Esc counts as Cancel.
MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                          MessageButtons buttons);

// Opens a web address in the user's browser (the caller has checked it is one).
void OpenInBrowser(const std::string& address);

// --- HTTP -------------------------------------------------------------------------------------
struct FetchLimits {
    std::chrono::milliseconds timeLimit{};  // whole request, from connect to last byte
    std::size_t maxBytes = 0;
};
// One GET with the given agent, no caching, "Accept: */*". The bytes received before the end,
// an error, the time limit or the size cap, whichever comes first; never the status.
// Addresses other than http and https give no bytes.
ui::Bytes HttpGet(const std::string& url, const char* agent, const FetchLimits& limits);
// True when a server answers a request for the address at all (any HTTP status) in time.
bool HttpAnswers(const std::string& url, const char* agent, std::chrono::milliseconds timeLimit);

// --- The QR library -----------------------------------------------------------------------------
// Loads a library file; null on failure, with the reason in detail.
void* LoadLibraryFile(const std::string& pathOrName, std::string& detail);
// The address of an export; null on failure, with the reason in detail.
void* FindExport(void* library, const char* exportName, std::string& detail);
// Shows the text (UTF-8) in an error message box with the caption, and on the standard error
// stream when there is one, then ends the program with exit code 1.
[[noreturn]] void ShowFatalErrorAndExit(const std::string& caption, const std::string& text);

// --- The clock ----------------------------------------------------------------------------------
// The system's broken-down date and time.
struct SystemTime {
    int year = 0, month = 0, dayOfWeek = 0, day = 0;  // dayOfWeek: 0 is Sunday
    int hour = 0, minute = 0, second = 0, milliseconds = 0;
};
// Local time now, whole seconds, as days since midnight of 30 December 1899.
double CurrentDateTimeValue();
// Such a value broken down; nothing when it lies outside the range the system converts.
std::optional<SystemTime> ToSystemTime(double value);
// The date, or the time, written with a Windows-style picture in the user's locale (its weekday
// and month names and AM/PM designators), whole however long it is. With force24Hour the time
// picture's "h" writes the hour in 24-hour form.
std::string FormatDate(const SystemTime& time, const std::string& picture);
std::string FormatTime(const SystemTime& time, const std::string& picture, bool force24Hour);

}  // namespace services
