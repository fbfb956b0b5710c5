#include "app/AppPrivate.h"

#include <Application.h>
#include <Message.h>

#include "app/MessagePrivate.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace BPrivate {

namespace {

// "QSLM" and the length of the flattened message that follows it.
const uint32 kFrameMagic = 0x514d4c53;
const size_t kMaxFrameSize = 16 * 1024 * 1024;
// How long one read from a peer may stall before the peer is dropped.
const int kReadTimeoutMs = 2000;


bool
FillAddress(const std::string& path, sockaddr_un* address)
{
	if (path.size() >= sizeof(address->sun_path))
		return false;
	memset(address, 0, sizeof(*address));
	address->sun_family = AF_UNIX;
	memcpy(address->sun_path, path.c_str(), path.size() + 1);
	return true;
}


// Connects to the rendezvous of signature; returns the socket and the listener's pid,
// or -1 when no instance of this user listens there.
int
ConnectTo(const char* signature, team_id* team)
{
	sockaddr_un address;
	if (!FillAddress(RendezvousPath(signature), &address))
		return -1;
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (fd < 0)
		return -1;
	if (connect(fd, (sockaddr*)&address, sizeof(address)) != 0) {
		close(fd);
		return -1;
	}
	ucred credentials;
	socklen_t length = sizeof(credentials);
	if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0
		|| credentials.uid != getuid()) {
		close(fd);
		return -1;
	}
	if (team != NULL)
		*team = credentials.pid;
	return fd;
}


bool
WriteAll(int fd, const char* data, size_t size)
{
	while (size > 0) {
		ssize_t written = send(fd, data, size, MSG_NOSIGNAL);
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0)
			return false;
		data += written;
		size -= (size_t)written;
	}
	return true;
}


bool
ReadAll(int fd, char* data, size_t size)
{
	while (size > 0) {
		pollfd waiting = { fd, POLLIN, 0 };
		int ready = poll(&waiting, 1, kReadTimeoutMs);
		if (ready < 0 && errno == EINTR)
			continue;
		if (ready <= 0)
			return false;
		ssize_t got = recv(fd, data, size, 0);
		if (got < 0 && errno == EINTR)
			continue;
		if (got <= 0)
			return false;
		data += got;
		size -= (size_t)got;
	}
	return true;
}


uint32
ReadLittleEndian(const char* data)
{
	const uint8* bytes = (const uint8*)data;
	return (uint32)bytes[0] | ((uint32)bytes[1] << 8) | ((uint32)bytes[2] << 16)
		| ((uint32)bytes[3] << 24);
}


void
WriteLittleEndian(char* data, uint32 value)
{
	for (int i = 0; i < 4; i++)
		data[i] = (char)((value >> (8 * i)) & 0xff);
}


// Reads one framed message from a peer that has proved to be this user.
void
ReceiveFrom(int fd)
{
	ucred credentials;
	socklen_t length = sizeof(credentials);
	if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0
		|| credentials.uid != getuid()) {
		return;
	}
	char header[8];
	if (!ReadAll(fd, header, sizeof(header)) || ReadLittleEndian(header) != kFrameMagic)
		return;
	uint32 size = ReadLittleEndian(header + 4);
	if (size == 0 || size > kMaxFrameSize)
		return;
	std::string buffer(size, '\0');
	if (!ReadAll(fd, buffer.data(), size))
		return;
	BMessage message;
	if (message.Unflatten(buffer.data(), (ssize_t)size) != B_OK)
		return;
	MessageAccess::SetSourceRemote(&message, true);
	be_app_messenger.SendMessage(&message);
}

}	// namespace


std::string
RendezvousFolder()
{
	const char* runtime = getenv("XDG_RUNTIME_DIR");
	if (runtime != NULL && runtime[0] == '/')
		return runtime;
	std::string folder = "/tmp/quorrel-" + std::to_string(getuid());
	mkdir(folder.c_str(), 0700);
	return folder;
}


std::string
RendezvousPath(const char* signature)
{
	std::string name;
	for (const char* c = signature; *c != '\0'; c++) {
		char lower = (char)tolower((unsigned char)*c);
		name += isalnum((unsigned char)lower) || lower == '.' || lower == '-' ? lower : '_';
	}
	return RendezvousFolder() + "/" + name + ".launch";
}


SingleLaunchListener*
SingleLaunchListener::Start(const char* signature, team_id* otherTeam)
{
	*otherTeam = -1;
	std::string folder = RendezvousFolder();
	struct stat folderInfo;
	// The folder must be ours alone, or somebody else could pose as the instance.
	if (lstat(folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode)
		|| folderInfo.st_uid != getuid() || (folderInfo.st_mode & 0077) != 0) {
		return NULL;
	}

	std::string path = RendezvousPath(signature);
	sockaddr_un address;
	if (!FillAddress(path, &address))
		return NULL;

	for (int attempt = 0; attempt < 2; attempt++) {
		int existing = ConnectTo(signature, otherTeam);
		if (existing >= 0) {
			close(existing);
			return NULL;
		}
		// Nobody answers: the file, if any, is left over from a crash.
		unlink(path.c_str());
		int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
		if (fd < 0)
			return NULL;
		if (bind(fd, (sockaddr*)&address, sizeof(address)) == 0 && listen(fd, 8) == 0)
			return new SingleLaunchListener(fd, path.c_str());
		close(fd);
		// Another instance started at the same moment: ask it instead.
	}
	return NULL;
}


SingleLaunchListener::SingleLaunchListener(int socket, const char* path)
	:
	fSocket(socket),
	fPath(path)
{
	if (pipe2(fWakePipe, O_CLOEXEC) != 0) {
		fWakePipe[0] = -1;
		fWakePipe[1] = -1;
	}
	fThread = std::thread(_Serve, this);
}


SingleLaunchListener::~SingleLaunchListener()
{
	if (fWakePipe[1] >= 0) {
		char byte = 0;
		ssize_t ignored = write(fWakePipe[1], &byte, 1);
		(void)ignored;
	}
	if (fThread.joinable())
		fThread.join();
	close(fSocket);
	if (fWakePipe[0] >= 0) {
		close(fWakePipe[0]);
		close(fWakePipe[1]);
	}
	unlink(fPath.c_str());
}


void
SingleLaunchListener::_Serve(SingleLaunchListener* listener)
{
	while (true) {
		pollfd waiting[2] = {
			{ listener->fSocket, POLLIN, 0 },
			{ listener->fWakePipe[0], POLLIN, 0 }
		};
		int ready = poll(waiting, listener->fWakePipe[0] >= 0 ? 2 : 1, -1);
		if (ready < 0 && errno == EINTR)
			continue;
		if (ready < 0 || (waiting[1].revents & POLLIN) != 0)
			return;
		if ((waiting[0].revents & POLLIN) == 0)
			continue;
		int peer = accept4(listener->fSocket, NULL, NULL, SOCK_CLOEXEC);
		if (peer < 0)
			continue;
		ReceiveFrom(peer);
		close(peer);
	}
}


bool
FindRemoteApplication(const char* signature, team_id* team)
{
	if (signature == NULL)
		return false;
	team_id found = -1;
	int fd = ConnectTo(signature, &found);
	if (fd < 0)
		return false;
	close(fd);
	if (found == current_team())
		return false;
	if (team != NULL)
		*team = found;
	return true;
}


bool
IsRemoteApplicationAlive(const char* signature, team_id team)
{
	team_id found = -1;
	return FindRemoteApplication(signature, &found) && found == team;
}


status_t
SendToRemoteApplication(const char* signature, team_id team, const BMessage* message)
{
	team_id found = -1;
	int fd = ConnectTo(signature, &found);
	if (fd < 0)
		return B_BAD_PORT_ID;
	if (team >= 0 && found != team) {
		close(fd);
		return B_BAD_PORT_ID;
	}
	ssize_t size = message->FlattenedSize();
	std::string frame(8 + (size_t)size, '\0');
	WriteLittleEndian(frame.data(), kFrameMagic);
	WriteLittleEndian(frame.data() + 4, (uint32)size);
	status_t status = message->Flatten(frame.data() + 8, size);
	if (status == B_OK && !WriteAll(fd, frame.data(), frame.size()))
		status = B_IO_ERROR;
	close(fd);
	return status;
}


std::vector<std::string>
ProcessArguments()
{
	std::ifstream in("/proc/self/cmdline", std::ios::binary);
	std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	std::vector<std::string> arguments;
	size_t start = 0;
	while (start < all.size()) {
		size_t end = all.find('\0', start);
		if (end == std::string::npos)
			end = all.size();
		arguments.push_back(all.substr(start, end - start));
		start = end + 1;
	}
	return arguments;
}


void
MakeArgvMessage(const std::vector<std::string>& arguments, BMessage* message)
{
	message->what = B_ARGV_RECEIVED;
	message->AddInt32("argc", (int32)arguments.size());
	for (const std::string& argument : arguments)
		message->AddString("argv", argument.c_str());
	char cwd[PATH_MAX];
	if (getcwd(cwd, sizeof(cwd)) != NULL)
		message->AddString("cwd", cwd);
}

}	// namespace BPrivate
