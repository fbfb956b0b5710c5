/*
 * BRoster: what is known about running applications, and launching programs.
 *
 * This process is the only application the roster knows from the inside; another
 * instance of a single-launch application is known through its rendezvous socket.
 * Launch maps the system signatures that applications use to what the desktop has:
 * the web browser ("application/x-vnd.Be-NPOS") to the BROWSER environment variable
 * (a colon-separated list of commands, "%s" standing for the address; the first that
 * starts wins, and xdg-open is used only when BROWSER is unset or empty), and the image
 * viewer ("application/x-vnd.Be-ShowImage") to xdg-open. Programs start detached and
 * are reaped, so Launch never blocks and leaves no zombie.
 */
#ifndef _ROSTER_H
#define _ROSTER_H

#include <Entry.h>
#include <Messenger.h>
#include <OS.h>
#include <StorageDefs.h>

class BMessage;

// Application flags, as in app_info.flags.
#define B_SINGLE_LAUNCH			(0x0)
#define B_MULTIPLE_LAUNCH		(0x1)
#define B_EXCLUSIVE_LAUNCH		(0x2)
#define B_LAUNCH_MASK			(0x3)
#define B_BACKGROUND_APP		(0x4)
#define B_ARGV_ONLY				(0x8)
#define _B_APP_INFO_RESERVED1_	(0x10000000)

struct app_info {
								app_info();
								~app_info();

			thread_id			thread;
			team_id				team;
			int32				port;
			uint32				flags;
			// The executable file.
			entry_ref			ref;
			char				signature[B_MIME_TYPE_LENGTH];
};

class BRoster {
public:
								BRoster();
								~BRoster();

			bool				IsRunning(const char* signature) const;
			bool				IsRunning(entry_ref* ref) const;
			team_id				TeamFor(const char* signature) const;

			status_t			GetAppInfo(const char* signature, app_info* info) const;
			status_t			GetAppInfo(entry_ref* ref, app_info* info) const;
			status_t			GetRunningAppInfo(team_id team, app_info* info) const;
			// This process is the active application while it runs one.
			status_t			GetActiveAppInfo(app_info* info) const;

	// Launching. A message is delivered to the started program as R5 does: for the
	// browser, a B_ARGV_RECEIVED message gives the address in "argv" index 1; a
	// B_REFS_RECEIVED message gives the files in "refs". Launching a signature that
	// already runs (this process's own, or a single-launch instance elsewhere) sends
	// it the message and returns B_ALREADY_RUNNING, as on R5. Unknown signatures give
	// B_LAUNCH_FAILED_APP_NOT_FOUND, and so does a program that cannot be started.
			status_t			Launch(const char* mimeType, BMessage* initialMessage = NULL,
									team_id* appTeam = NULL) const;
			status_t			Launch(const char* mimeType, int argc, char** args,
									team_id* appTeam = NULL) const;
	// Opens the file with the desktop's program for it.
			status_t			Launch(const entry_ref* ref,
									const BMessage* initialMessage = NULL,
									team_id* appTeam = NULL) const;
			status_t			Launch(const entry_ref* ref, int argc, const char* const* args,
									team_id* appTeam = NULL) const;
};

extern const BRoster* be_roster;

#endif	// _ROSTER_H
