/*
 * Private calls between the parts of the application kit: messages to an application
 * in another process (the single-launch rendezvous) and the application's launch
 * flags.
 */
#ifndef _APP_APP_PRIVATE_H
#define _APP_APP_PRIVATE_H

#include <OS.h>

#include <string>
#include <thread>
#include <vector>

class BMessage;

namespace BPrivate {

// Whether an instance of signature runs for this user in another process; its process
// id goes to team.
bool		FindRemoteApplication(const char* signature, team_id* team);
bool		IsRemoteApplicationAlive(const char* signature, team_id team);

// Hands message, flattened, to the other process's instance of signature.
status_t	SendToRemoteApplication(const char* signature, team_id team,
				const BMessage* message);

// The listening end of single launch: a socket named after the signature in the
// user's runtime folder, served by a thread of its own that posts what arrives to
// be_app after checking that the peer is the same user.
class SingleLaunchListener {
public:
	// Listens for signature. When a live instance already listens there, returns
	// null and sets otherTeam to its process id; a stale socket is replaced.
	static	SingleLaunchListener* Start(const char* signature, team_id* otherTeam);
								~SingleLaunchListener();

private:
								SingleLaunchListener(int socket, const char* path);
	static	void				_Serve(SingleLaunchListener* listener);

			int					fSocket;
			int					fWakePipe[2];
			std::string			fPath;
			std::thread			fThread;
};

// The folder of the rendezvous sockets: $XDG_RUNTIME_DIR, else /tmp/quorrel-<uid>.
std::string	RendezvousFolder();
std::string	RendezvousPath(const char* signature);

// The process's arguments from /proc/self/cmdline.
std::vector<std::string>	ProcessArguments();

// A B_ARGV_RECEIVED message with "argc", "argv" and "cwd", as R5 sends it.
void		MakeArgvMessage(const std::vector<std::string>& arguments, BMessage* message);

}	// namespace BPrivate

#endif	// _APP_APP_PRIVATE_H
