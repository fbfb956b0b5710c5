#include <Roster.h>

#include <Application.h>
#include <Message.h>

#include "app/AppPrivate.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <strings.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

static const BRoster sRoster;
const BRoster* be_roster = &sRoster;


app_info::app_info()
	:
	thread(-1),
	team(-1),
	port(-1),
	flags(0)
{
	signature[0] = '\0';
}


app_info::~app_info()
{
}


BRoster::BRoster()
{
}


BRoster::~BRoster()
{
}


static bool
IsOwnSignature(const char* signature)
{
	return signature != NULL && be_app != NULL && be_app->InitCheck() == B_OK
		&& strcasecmp(be_app->Signature(), signature) == 0;
}


bool
BRoster::IsRunning(const char* signature) const
{
	return TeamFor(signature) >= 0;
}


bool
BRoster::IsRunning(entry_ref* ref) const
{
	app_info info;
	return GetAppInfo(ref, &info) == B_OK;
}


team_id
BRoster::TeamFor(const char* signature) const
{
	if (signature == NULL)
		return B_BAD_VALUE;
	if (IsOwnSignature(signature))
		return current_team();
	team_id team;
	if (BPrivate::FindRemoteApplication(signature, &team))
		return team;
	return B_ERROR;
}


status_t
BRoster::GetAppInfo(const char* signature, app_info* info) const
{
	if (signature == NULL || info == NULL)
		return B_BAD_VALUE;
	if (IsOwnSignature(signature))
		return be_app->GetAppInfo(info);
	team_id team;
	if (!BPrivate::FindRemoteApplication(signature, &team))
		return B_ERROR;
	// Of another instance only what the rendezvous tells is known.
	*info = app_info();
	info->team = team;
	snprintf(info->signature, sizeof(info->signature), "%s", signature);
	return B_OK;
}


status_t
BRoster::GetAppInfo(entry_ref* ref, app_info* info) const
{
	if (ref == NULL || info == NULL)
		return B_BAD_VALUE;
	if (be_app == NULL)
		return B_ERROR;
	app_info own;
	if (be_app->GetAppInfo(&own) != B_OK || own.ref != *ref)
		return B_ERROR;
	*info = own;
	return B_OK;
}


status_t
BRoster::GetRunningAppInfo(team_id team, app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (team != current_team() || be_app == NULL)
		return B_BAD_TEAM_ID;
	return be_app->GetAppInfo(info);
}


status_t
BRoster::GetActiveAppInfo(app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (be_app == NULL)
		return B_ERROR;
	return be_app->GetAppInfo(info);
}


// #pragma mark - launching


namespace {

const char* const kBrowserSignature = "application/x-vnd.Be-NPOS";
const char* const kImageViewerSignature = "application/x-vnd.Be-ShowImage";


// Starts program with arguments, detached; a thread of its own reaps it so that no
// zombie is left. Fails when the program cannot be found or executed.
status_t
SpawnDetached(const std::vector<std::string>& command, team_id* team)
{
	if (command.empty() || command[0].empty())
		return B_LAUNCH_FAILED_APP_NOT_FOUND;
	std::vector<char*> argv;
	for (const std::string& argument : command)
		argv.push_back(const_cast<char*>(argument.c_str()));
	argv.push_back(NULL);

	posix_spawnattr_t attributes;
	posix_spawnattr_init(&attributes);
	// The child starts its own process group, so a terminal's signals stay with us.
	posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
	posix_spawnattr_setpgroup(&attributes, 0);
	pid_t pid;
	int error = posix_spawnp(&pid, argv[0], NULL, &attributes, argv.data(), environ);
	posix_spawnattr_destroy(&attributes);
	if (error != 0)
		return B_LAUNCH_FAILED_APP_NOT_FOUND;

	std::thread([pid] {
		int status;
		while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
		}
	}).detach();
	if (team != NULL)
		*team = pid;
	return B_OK;
}


// The commands named by $BROWSER, a colon-separated list; each may hold "%s" where
// the address goes, else the addresses follow it.
std::vector<std::vector<std::string>>
BrowserCommands(const std::vector<std::string>& addresses)
{
	std::vector<std::vector<std::string>> commands;
	const char* browser = getenv("BROWSER");
	std::string list = browser != NULL ? browser : "";
	size_t start = 0;
	while (start <= list.size() && !list.empty()) {
		size_t end = list.find(':', start);
		if (end == std::string::npos)
			end = list.size();
		std::string entry = list.substr(start, end - start);
		start = end + 1;

		std::vector<std::string> command;
		bool placed = false;
		size_t wordStart = 0;
		while (wordStart < entry.size()) {
			size_t wordEnd = entry.find(' ', wordStart);
			if (wordEnd == std::string::npos)
				wordEnd = entry.size();
			std::string word = entry.substr(wordStart, wordEnd - wordStart);
			wordStart = wordEnd + 1;
			if (word.empty())
				continue;
			if (word == "%s") {
				command.insert(command.end(), addresses.begin(), addresses.end());
				placed = true;
			} else
				command.push_back(word);
		}
		if (command.empty())
			continue;
		if (!placed)
			command.insert(command.end(), addresses.begin(), addresses.end());
		commands.push_back(command);
	}
	if (browser == NULL || commands.empty()) {
		std::vector<std::string> command = { "xdg-open" };
		// xdg-open takes one address.
		if (!addresses.empty())
			command.push_back(addresses[0]);
		commands.push_back(command);
	}
	return commands;
}


std::string
PathOfRef(const entry_ref& ref)
{
	std::string path = ref.directory_path != NULL ? ref.directory_path : "";
	if (path.empty() || path.back() != '/')
		path += '/';
	if (ref.name != NULL)
		path += ref.name;
	return path;
}


// What a launch message names: the arguments after the program name of an argv
// message, or the paths of its refs.
std::vector<std::string>
TargetsOf(const BMessage* message)
{
	std::vector<std::string> targets;
	if (message == NULL)
		return targets;
	const char* argument;
	for (int32 i = 1; message->FindString("argv", i, &argument) == B_OK; i++)
		targets.push_back(argument);
	entry_ref ref;
	for (int32 i = 0; message->FindRef("refs", i, &ref) == B_OK; i++)
		targets.push_back(PathOfRef(ref));
	return targets;
}


status_t
LaunchTargets(const char* signature, const std::vector<std::string>& targets,
	team_id* team)
{
	if (strcasecmp(signature, kBrowserSignature) == 0) {
		for (const std::vector<std::string>& command : BrowserCommands(targets)) {
			if (SpawnDetached(command, team) == B_OK)
				return B_OK;
		}
		return B_LAUNCH_FAILED_APP_NOT_FOUND;
	}
	if (strcasecmp(signature, kImageViewerSignature) == 0) {
		if (targets.empty())
			return B_BAD_VALUE;
		status_t status = B_OK;
		for (const std::string& target : targets) {
			status_t result = SpawnDetached({ "xdg-open", target }, team);
			if (result != B_OK)
				status = result;
		}
		return status;
	}
	return B_LAUNCH_FAILED_APP_NOT_FOUND;
}


// A running instance of signature, in this process or another, takes the message.
bool
DeliverToRunning(const char* signature, const BMessage* message, team_id* team,
	status_t* status)
{
	if (IsOwnSignature(signature)) {
		if (message != NULL)
			be_app_messenger.SendMessage(const_cast<BMessage*>(message));
		if (team != NULL)
			*team = current_team();
		*status = B_ALREADY_RUNNING;
		return true;
	}
	team_id remote;
	if (BPrivate::FindRemoteApplication(signature, &remote)) {
		BMessage silent(B_SILENT_RELAUNCH);
		BPrivate::SendToRemoteApplication(signature, remote,
			message != NULL ? message : &silent);
		if (team != NULL)
			*team = remote;
		*status = B_ALREADY_RUNNING;
		return true;
	}
	return false;
}

}	// namespace


status_t
BRoster::Launch(const char* mimeType, BMessage* initialMessage, team_id* appTeam) const
{
	if (mimeType == NULL)
		return B_BAD_VALUE;
	status_t status;
	if (DeliverToRunning(mimeType, initialMessage, appTeam, &status))
		return status;
	return LaunchTargets(mimeType, TargetsOf(initialMessage), appTeam);
}


status_t
BRoster::Launch(const char* mimeType, int argc, char** args, team_id* appTeam) const
{
	if (mimeType == NULL || argc < 0 || (argc > 0 && args == NULL))
		return B_BAD_VALUE;
	// args are the arguments without the program name.
	std::vector<std::string> arguments;
	for (int i = 0; i < argc; i++) {
		if (args[i] != NULL)
			arguments.push_back(args[i]);
	}
	BMessage message(B_ARGV_RECEIVED);
	arguments.insert(arguments.begin(), mimeType);
	BPrivate::MakeArgvMessage(arguments, &message);
	status_t status;
	if (DeliverToRunning(mimeType, &message, appTeam, &status))
		return status;
	arguments.erase(arguments.begin());
	return LaunchTargets(mimeType, arguments, appTeam);
}


status_t
BRoster::Launch(const entry_ref* ref, const BMessage* initialMessage, team_id* appTeam) const
{
	if (ref == NULL || ref->name == NULL)
		return B_BAD_VALUE;
	return SpawnDetached({ "xdg-open", PathOfRef(*ref) }, appTeam);
}


status_t
BRoster::Launch(const entry_ref* ref, int argc, const char* const* args,
	team_id* appTeam) const
{
	return Launch(ref, (const BMessage*)NULL, appTeam);
}
