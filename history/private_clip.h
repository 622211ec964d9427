// Clips their owner marked as not for clipboard history, as password managers do.
#pragma once

// True when the clipboard carries one of the platform's "keep out of history" marks.
// The clipboard must be open.
bool clipboard_marked_private();
