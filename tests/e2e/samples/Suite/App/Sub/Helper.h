#ifndef HelperH
#define HelperH
int Twice(int value);
#endif
