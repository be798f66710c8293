#pragma once
// The opaque iterator of the framework's lists and maps; null ends an iteration.
struct __POSITION
{
};
typedef __POSITION* POSITION;
