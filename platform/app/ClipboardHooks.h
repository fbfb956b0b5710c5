/*
 * The tie between the "system" clipboard and the desktop's. The display server
 * installs both hooks when it starts (and clears them with null when it stops):
 * read fills text with the desktop clipboard's text and returns true when it has any;
 * write hands the text of a commit to the desktop. Without hooks the clipboard stays
 * inside the process. The hooks are called without any clipboard lock held.
 */
#ifndef _APP_CLIPBOARD_HOOKS_H
#define _APP_CLIPBOARD_HOOKS_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

typedef bool (*clipboard_read_hook)(std::string* text);
typedef void (*clipboard_write_hook)(const char* text, size_t length);

void	SetSystemClipboardHooks(clipboard_read_hook read, clipboard_write_hook write);

}	// namespace BPrivate

#endif	// _APP_CLIPBOARD_HOOKS_H
