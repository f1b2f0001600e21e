You are hungry.
eat
101501
The guard tells you '%%'

101100
