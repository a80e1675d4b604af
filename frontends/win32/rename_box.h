// The rename box's resource numbers, shared by its template and its code.
#pragma once

#define kRenameBox 100
#define kRenamePrompt 101
#define kRenameField 102
