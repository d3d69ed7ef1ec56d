// Resource ids of tavrik.rc.
#pragma once

#define IDI_TAVRIK 1
