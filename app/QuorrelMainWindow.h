/*
 * QuorrelMainWindow: the editor's one main window.
 *
 * Under the menu bar lies "Main View" with two icon bars ("icon bar1" filled with the
 * tool-bar buttons, "icon bar2" empty) and three columns below them: the side panel at
 * the left (150 pixels), the document tab view "Editor Tab" in the middle and the colour
 * palette (22 pixels) at the right. The window holds up to six documents, each an EView
 * in one of six slots; a slot index names a document as long as it is open, while tab
 * positions shift when tabs close.
 *
 * Every command reaches MessageReceived as a BMessage with a four-character code: menu
 * items, tool-bar buttons, the file panels, the editor's change notice 'ETmo' and the
 * dialog messages the application object passes on. Codes the window does not know are
 * ignored.
 *
 * LoadFile(const char*), SaveFile(int), UpdateSize() lock the window themselves and may
 * be called from the application thread; SetIsEnd() and UpdateFontsAndColors() must be
 * called with the window locked. Everything else runs on the window's own thread.
 */
#ifndef QUORREL_MAIN_WINDOW_H
#define QUORREL_MAIN_WINDOW_H

#include <Messenger.h>
#include <Rect.h>
#include <SupportDefs.h>
#include <Window.h>

class BBitmap;
class BEntry;
class BFilePanel;
class BMenu;
class BMenuBar;
class BMenuField;
class BMenuItem;
class BTabView;
class BView;
class BubbleHelper;
class ColorSelectWindow;
class ColorView;
class EView;
class Glossan;
class IconBar;
class PrefsWindow;
class QuorrelAboutWindow;
class SaveDocsWindow;
class SearchWindow;
struct _FileList;
class varkel;

// Command codes of the main window (menus, tool bars, panels and dialogs).
enum {
	kMsgNewFile			= 'MFnf',
	kMsgNewProject		= 'MFnp',
	kMsgOpenFile		= 'MFof',
	kMsgOpenProject		= 'MFop',
	kMsgSaveFile		= 'MFsf',
	kMsgSaveFileAs		= 'MFsa',
	kMsgSaveProject		= 'MFsp',
	kMsgCloseFile		= 'MFcf',

	kMsgUndo			= 'MEun',
	kMsgCut				= 'MEcu',
	kMsgCopy			= 'MEcp',
	kMsgPaste			= 'MEpa',
	kMsgClearAll		= 'MEcl',
	kMsgSelectAll		= 'MEsa',
	kMsgFindReplace		= 'MEfi',
	kMsgSettings		= 'MEse',
	kMsgCrLfToLf		= 'COcr',
	kMsgLfToCrLf		= 'COlf',

	kMsgPreview			= 'MXpr',
	kMsgBold			= 'MXbo',
	kMsgItalic			= 'MXit',
	kMsgUnderline		= 'MXun',
	kMsgCenterTag		= 'MXc2',
	kMsgAlignLeft		= 'MXle',
	kMsgAlignCenter		= 'MXce',
	kMsgAlignRight		= 'MXri',
	kMsgInsertTag		= 'MXat',
	kMsgInsertColor		= 'MXic',

	kMsgFullScreen		= 'MWre',
	kMsgHelpIndex		= 'MHin',
	kMsgAbout			= 'MHab',

	kMsgTextModified	= 'ETmo',
	kMsgFind			= 'COfi',
	kMsgReplace			= 'COre',
	kMsgReplaceAll		= 'COra',
	kMsgColorChosen		= 'CScs',
	kMsgColorWindowGone	= 'CSwi',
	kMsgAboutGone		= 'HEab',
	kMsgSaveDocsGone	= 'SAdo',
	kMsgSearchWindowGone = 'SEwi',
	kMsgPrefsWindowGone	= 'PRwi',

	// Project commands; they reach the window but do nothing until projects exist.
	kMsgAddFileToProject = 'ADfi',
	kMsgAddGroup		= 'ADgr',
	kMsgGroupAdded		= 'ANgr',
	kMsgRenameGroup		= 'RNgr',
	kMsgGroupRenamed	= 'CHgn',
	kMsgMoveFile		= 'MOfi',
	kMsgFileMoved		= 'MOsf',
	kMsgRemoveFiles		= 'REfi',
	kMsgRemoveGroups	= 'REgr',
	kMsgEraseFile		= 'DEfi',
	kMsgOpenProjectFile	= 'OPfi',
	kMsgNewProjectNamed	= 'SAnp',
	kMsgNewProjectSave	= 'SPre',
	kMsgSaveProjectAs	= 'HSpr'
};

class QuorrelMainWindow : public BWindow {
public:
	// The number of document slots.
	static	const int			kMaxDocuments = 6;

	// Builds the whole window; `frame` only serves until the window sizes itself from
	// the screen. `help` is the process's tool-tip service, not owned.
								QuorrelMainWindow(BRect frame, BubbleHelper* help);
	virtual						~QuorrelMainWindow();

	virtual	void				MessageReceived(BMessage* message);
	// Closes the window only when no document holds unsaved changes or the user
	// confirmed the quit; otherwise shows the unsaved-documents window and says no.
	virtual	bool				QuitRequested();
	// Toggles full screen (the zoom button and "Full screen").
	virtual	void				Zoom(BPoint origin, float width, float height);

	// Document tabs.
			void				AddTabs();
	// Opens a new document tab named `path` (a leaf name), or "Untitled%d" when
	// `path` is NULL. A loud insertion of the new-document text marks it unsaved.
	// Nothing happens when six documents are open.
			void				AddTab(const char* path, bool loud);
			void				RemoveTab();
	// The slot of the document in the selected tab, found by tab label and path; -1.
			int					CurrentEditView();
	// The tab index showing the document of `slot`, or -1.
			int					SelectedView(int slot);
			void				CreateFileList();
	// The text of a new document in a new 1024-byte buffer the caller deletes
	// (delete[]).
			char*				CreatePage();
	// The selected document's path when it has a file, else NULL.
			const char*			PathToEditedFile();
	// The directory of the loaded project, or NULL.
			BEntry*				GetProjectEntry();

			void				LoadSettings();
			void				LoadDictionary();
	// Re-reads the settings and lays the tool bars and columns out again.
			void				UpdateSize();
	// Makes every open document reload its font and colours.
			void				UpdateFontsAndColors();
	// Marks the quit as confirmed (or not) and runs the close check.
			void				SetIsEnd(bool end);

	// Menus and tool bar.
			void				AddMenu();
			void				AddHTMLMenu();
			void				AddIcons();

	// Files, panels and encodings.
			void				CreateOpenPanel();
			void				CreateSavePanel();
	// Opens the file at `path` as a document ("text/html" or "text/plain") or, later,
	// a project. Locks the window itself.
			void				LoadFile(const char* path);
	// Writes the current document to `path` and ties it to that file. On failure the
	// user is told, the document stays as it was and B_ERROR or the cause is returned.
			status_t			SaveFile(const char* path);
	// Starts saving document `index` for the unsaved-documents window. Locks the
	// window itself.
			void				SaveFile(int index);
	// Converts a NUL-terminated text from UTF-8 to the save panel's encoding
	// (toFile true) or from the open panel's encoding to UTF-8 (toFile false).
	// Returns a new buffer (delete[]) holding *length bytes and a NUL, or NULL when
	// memory runs out. *substituted (when not NULL) counts the characters that became
	// the substitute character 0x1A.
			char*				Konwertuj(const char* text, bool toFile,
									int32* length, int32* substituted = NULL);
	// `path` relative to the project directory when it lies inside it, otherwise
	// `path` unchanged; always a new buffer the caller deletes (delete[]).
			char*				ConvertPath(const char* path);
	// The rule of ConvertPath for a given directory path (NULL: none).
	static	char*				RelativeToDirectory(const char* path,
									const char* directory);

	// Marked item of each panel's Encoding menu: the encoding index, or -1.
			int32				OpenEncodingIndex();
			int32				SaveEncodingIndex();

	// Read-only views of the window's state, for the application object and tests.
	// Call with the window locked.
			EView*				DocumentAt(int slot) const;
			int32				DocumentCount() const { return fDocumentCount; }
			BTabView*			TabView() const { return fTabView; }
			BMenuBar*			MenuBar() const { return fMenuBar; }
			IconBar*			FirstIconBar() const { return fFirstIconBar; }
			IconBar*			SecondIconBar() const { return fSecondIconBar; }
			BView*				MainView() const { return fMainView; }
			BView*				SidePanel() const { return fProjectManager; }
			ColorView*			Palette() const { return fColorView; }
			Glossan*			Dictionary() const { return fTranslator; }
			bool				IsFullScreen() const { return fFullScreen; }
			BFilePanel*			OpenPanel() const { return fOpenPanel; }
			BFilePanel*			SavePanel() const { return fSavePanel; }
			BMenu*				OpenEncodingMenu() const { return fOpenEncodingMenu; }
			BMenu*				SaveEncodingMenu() const { return fSaveEncodingMenu; }
			SearchWindow*		Search() const { return fSearchWindow; }
			SaveDocsWindow*		SaveDocs() const { return fSaveDocsWindow; }
			ColorSelectWindow*	ColorPicker() const { return fColorWindow; }
			QuorrelAboutWindow*	About() const { return fAboutWindow; }
			PrefsWindow*		Prefs() const { return fPrefsWindow; }
			const _FileList*	FileList() const { return fFileList; }
			bool				IsQuitPending() const { return fQuitPending; }

private:
	// Construction and layout.
			void				_LayoutColumns(bool withTabs);
			BRect				_DocumentFrame() const;
			float				_ColumnsTop() const;
			void				_EnableDocumentItems(bool enable);
			BMenuItem*			_FindItem(const char* englishLabel) const;
			const char*			_T(const char* text) const;

	// Menus.
			BMenuItem*			_AddItem(BMenu* menu, const char* label, uint32 what,
									char shortcut = 0, uint32 modifiers = 0);
			BMenuItem*			_AddTagItem(BMenu* menu, const char* label,
									const char* tag, int32 pos, char shortcut = 0,
									uint32 modifiers = 0);

	// Dispatch.
			bool				_DispatchDocument(BMessage* message);
			bool				_DispatchEditing(BMessage* message);
			bool				_DispatchHTML(BMessage* message);
			bool				_DispatchWindows(BMessage* message);
			bool				_DispatchProject(BMessage* message);
			EView*				_Current();
			void				_SendToCurrent(uint32 what);
			void				_OpenInBrowser(const char* address);
			void				_Preview();
			void				_ShowSearchWindow();
			void				_ShowPrefsWindow();
			void				_ShowColorWindow();
			void				_ShowAboutWindow();

	// Files.
			BFilePanel*			_MakePanel(bool save, BMenu** menu, BMenuField** field);
			int32				_MarkedIndex(BFilePanel* panel, BMenu* menu);
			void				_OpenRefs(BMessage* message);
			bool				_OpenDocument(const char* path, bool reportErrors);
			void				_SaveCommand();
			void				_SaveAsCommand();
			void				_ShowSavePanel(int slot);
			void				_SaveRequested(BMessage* message);
			void				_PanelCancelled(BMessage* message);
			void				_CloseCommand();
			void				_QuitAuxiliaryWindows();
	// Shows an alert that needs no answer without holding up the window: a thread
	// of its own waits for its button. `type` is an alert_type.
			void				_Notice(const char* title, const char* text,
									int32 type);

			BView*				fMainView;
			IconBar*			fFirstIconBar;
			IconBar*			fSecondIconBar;
			BMenuBar*			fMenuBar;
			BMenu*				fMenu;
			BMenu*				fSubMenu;
			ColorView*			fColorView;
			BView*				fProjectManager;
			BTabView*			fTabView;
			EView*				fDocuments[kMaxDocuments];
			int32				fDocumentCount;
			int32				fCurrentDocument;
			int32				fUntitledCounter;
			Glossan*			fTranslator;
			varkel*				fSettings;
			BubbleHelper*		fTipService;
			bool				fFullScreen;
			BRect				fNormalFrame;
			_FileList*			fFileList;

			BFilePanel*			fProjectOpenPanel;
			BFilePanel*			fProjectSavePanel;
			BFilePanel*			fOpenPanel;
			BMenu*				fOpenEncodingMenu;
			BMenuField*			fOpenEncodingField;
			bool				fOpenPanelCreated;
			BFilePanel*			fSavePanel;
			BMenu*				fSaveEncodingMenu;
			BMenuField*			fSaveEncodingField;
			bool				fSavePanelCreated;
			BEntry*				fProjectDirectory;

			SaveDocsWindow*		fSaveDocsWindow;
			bool				fQuitPending;
			bool				fSavingForQuit;
			bool				fQuitConfirmed;

			ColorSelectWindow*	fColorWindow;
			bool				fColorWindowOpen;
			bool				fColorWindowCreated;
			QuorrelAboutWindow*	fAboutWindow;
			bool				fAboutWindowOpen;
			SearchWindow*		fSearchWindow;
			bool				fSearchWindowOpen;
			PrefsWindow*		fPrefsWindow;
			bool				fPrefsWindowOpen;
	// The dialogs may end on their own when the application quits; these tell
	// whether they still exist.
			BMessenger			fColorMessenger;
			BMessenger			fAboutMessenger;
			BMessenger			fSearchMessenger;
			BMessenger			fPrefsMessenger;
			BMessenger			fSaveDocsMessenger;

	// The tool-bar buttons keep these; the window deletes them.
	static	const int			kIconCount = 13;
			BMessage*			fIconMessages[kIconCount];
			BBitmap*			fIconBitmaps[kIconCount][2];
};

#endif	// QUORREL_MAIN_WINDOW_H
