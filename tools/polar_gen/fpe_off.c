/* Preloaded into xfoil: libgfortran's floating-point trap setup becomes a
   no-op, so xfoil no longer dies with SIGFPE on its first viscous point. */
void _gfortran_set_fpe(int flags) { (void)flags; }
