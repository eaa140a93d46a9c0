// Declarations only: the Mach types IOKit's interfaces use.
#pragma once

typedef unsigned int __darwin_natural_t;
typedef __darwin_natural_t __darwin_mach_port_name_t;
typedef __darwin_mach_port_name_t __darwin_mach_port_t;
typedef __darwin_mach_port_t mach_port_t;
typedef int kern_return_t;
typedef int boolean_t;

#define KERN_SUCCESS 0
#define MACH_PORT_NULL 0
