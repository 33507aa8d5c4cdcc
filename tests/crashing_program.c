// Ends by an access violation nothing handles, which must end the program
// at once with the violation's code.
int main(void)
{
    volatile int* volatile nowhere = 0;
    // cppcheck-suppress nullPointer
    *nowhere = 1;
    return 0;
}
