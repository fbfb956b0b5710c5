/*
 * BNodeInfo: the file type, preferred application and icons of a node.
 *
 * The type is the extended attribute "user.mime_type", as the Linux desktop keeps it (the
 * bytes of the type, no terminating NUL). A node without it takes its type from its name
 * through the shared-mime-info glob lists, so an .html file is "text/html" wherever it
 * came from. The preferred application is the attribute "BEOS:PREF_APP" (a NUL-terminated
 * signature), the icons "BEOS:L:STD_ICON" (32 x 32) and "BEOS:M:STD_ICON" (16 x 16) in
 * R5's raw B_CMAP8 layout, one byte per pixel, rows top to bottom.
 */
#ifndef _NODE_INFO_H
#define _NODE_INFO_H

#include <Entry.h>
#include <Mime.h>
#include <Node.h>

class BBitmap;

class BNodeInfo {
public:
							BNodeInfo();
							BNodeInfo(BNode* node);
	virtual					~BNodeInfo();

	// The node must stay alive while the BNodeInfo uses it.
			status_t		SetTo(BNode* node);
			status_t		InitCheck() const;

	// type must hold B_MIME_TYPE_LENGTH bytes. B_ENTRY_NOT_FOUND when neither the
	// attribute nor the name gives a type.
	virtual	status_t		GetType(char* type) const;
	// A null type removes the node's type.
	virtual	status_t		SetType(const char* type);

	// icon must be which x which pixels; a B_CMAP8 bitmap gets the bytes as they are,
	// any other colour space the converted pixels.
	virtual	status_t		GetIcon(BBitmap* icon, icon_size which = B_LARGE_ICON) const;
	// icon must be a which x which B_CMAP8 bitmap; a null icon removes the icon.
	virtual	status_t		SetIcon(const BBitmap* icon, icon_size which = B_LARGE_ICON);

	// signature must hold B_MIME_TYPE_LENGTH bytes; only B_OPEN exists as a verb.
			status_t		GetPreferredApp(char* signature, app_verb verb = B_OPEN) const;
	// A null signature removes the preferred application.
			status_t		SetPreferredApp(const char* signature, app_verb verb = B_OPEN);

	// The node's own icon, or else the icon of its file type.
			status_t		GetTrackerIcon(BBitmap* icon,
								icon_size which = B_LARGE_ICON) const;
	static	status_t		GetTrackerIcon(const entry_ref* ref, BBitmap* icon,
								icon_size which = B_LARGE_ICON);

private:
							BNodeInfo(const BNodeInfo&);
			BNodeInfo&		operator=(const BNodeInfo&);

			BNode*			fNode;
			status_t		fStatus;
};

#endif	// _NODE_INFO_H
