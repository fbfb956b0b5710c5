/*
 * BBitmapStream: a stream in the B_TRANSLATOR_BITMAP format backed by a BBitmap. Writing
 * a header and pixels into an empty stream builds a bitmap (take it with DetachBitmap);
 * a stream made from a bitmap reads back as header plus pixels.
 */
#ifndef _BITMAP_STREAM_H
#define _BITMAP_STREAM_H

#include <DataIO.h>
#include <TranslatorFormats.h>

class BBitmap;

class BBitmapStream : public BPositionIO {
public:
	// The stream owns bitmap until it is detached.
							BBitmapStream(BBitmap* bitmap = NULL);
	virtual					~BBitmapStream();

	virtual	ssize_t			ReadAt(off_t position, void* buffer, size_t size);
	// Writes that would change the header once a bitmap exists, or that describe an
	// impossible bitmap, fail with B_BAD_VALUE; data past the pixels fails with
	// B_BAD_VALUE too.
	virtual	ssize_t			WriteAt(off_t position, const void* buffer, size_t size);
	virtual	off_t			Seek(off_t position, uint32 seekMode);
	virtual	off_t			Position() const;
	virtual	off_t			Size() const;
	virtual	status_t		SetSize(off_t size);

	// Hands the bitmap over to the caller; the stream is empty afterwards. B_ERROR when
	// there is no complete bitmap yet, B_BAD_VALUE for a NULL argument.
			status_t		DetachBitmap(BBitmap** outBitmap);

private:
			void			_BuildHeader();

			BBitmap*		fBitmap;
			uint8			fHeader[32];
			size_t			fHeaderBytes;
			off_t			fPosition;
			off_t			fSize;
			bool			fDetached;
};

#endif	// _BITMAP_STREAM_H
