// Writes through a null pointer and so ends by an access violation that
// nothing handles: Wine's crash debugger then has the process, which must end
// at once with the violation's code instead of waiting for someone to answer.
int main(void)
{
    volatile int* volatile nowhere = 0;
    *nowhere = 1;
    return 0;
}
