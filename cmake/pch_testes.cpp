// Carries the precompiled header that every test program reuses (see datilux_add_test).
int main()
{
    return 0;
}
